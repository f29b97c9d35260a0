// Runs every benchmark and prints one table of time per number.
#include "per_number_table.h"

#include <benchmark/benchmark.h>

#include <vector>

int main(int argc, char **argv)
{
    // Repetitions of the benchmarks are interleaved at random, so that a
    // neighbour's burst on a shared machine does not land on one of them only.
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    numoria::bench::PerNumberTable table;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
