#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace numoria::bench {

// Prints one table at the end: the median time per number of each benchmark
// (each reports how many numbers an iteration converts in its "numbers"
// counter), and how many times faster than the slowest one it is, in the
// order the benchmarks are declared.
class PerNumberTable : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override;
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    struct Row {
        std::int64_t order = 0;
        std::string name;
        double nsPerNumber = 0;
        double spreadPercent = 0;
        std::string error;
    };

    std::vector<Row> rows_;
};

}  // namespace numoria::bench
