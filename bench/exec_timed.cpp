// Usage: numoria_exec_timed <program> [arguments...]
// Becomes <program> with NUMORIA_BENCH_EXEC_NS set to the CLOCK_MONOTONIC
// time, in nanoseconds, read just before the exec: the zero from which the
// start-up hook counts. No fork in between, so nothing of the launcher's own
// start is counted.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("usage: numoria_exec_timed <program> [arguments...]\n", stderr);
        return 2;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char nanoseconds[32];
    std::snprintf(nanoseconds, sizeof nanoseconds, "%lld",
                  static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    setenv("NUMORIA_BENCH_EXEC_NS", nanoseconds, 1);
    execv(argv[1], argv + 1);
    std::perror(argv[1]);
    return 127;
}
