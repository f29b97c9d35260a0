// Commits one deliberate fault, named on the command line, and then says it
// survived. Built with the rest of the sanitized suite, it shows that the
// sanitizers are really compiled in and stop the program at the first fault.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Out of the optimiser's sight, so no fault is folded away at compile time.
volatile int opaqueIndex = 0;

int heapOverflow()
{
    // Sized at run time, or UBSan's object-size check would speak first.
    const int size = 4 + opaqueIndex;
    int *numbers = new int[size]();
    const int value = numbers[size];
    delete[] numbers;
    return value;
}

int useAfterFree()
{
    int *number = new int(7);
    delete number;
    return *(number + opaqueIndex);
}

int signedOverflow()
{
    int big = INT_MAX - opaqueIndex;
    return big + 1;
}

int leak()
{
    int *lost = new int[16]();
    lost[opaqueIndex] = 1;
    lost = nullptr;
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string fault = argc > 1 ? argv[1] : "";
    int value = 0;
    if (fault == "heap-overflow")
        value = heapOverflow();
    else if (fault == "use-after-free")
        value = useAfterFree();
    else if (fault == "signed-overflow")
        value = signedOverflow();
    else if (fault == "leak")
        value = leak();
    else if (fault != "none")
        return 2;
    std::printf("survived %d\n", value);
    return 0;
}
