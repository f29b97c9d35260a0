#include "per_number_table.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace numoria::bench {

namespace {

double nanoseconds(const benchmark::BenchmarkReporter::Run &run)
{
    return run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond)
           / benchmark::GetTimeUnitMultiplier(run.time_unit);
}

double numbersOf(const benchmark::BenchmarkReporter::Run &run)
{
    const auto found = run.counters.find("numbers");
    return found == run.counters.end() || found->second.value <= 0 ? 1 : found->second.value;
}

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

bool PerNumberTable::ReportContext(const Context &context)
{
    GetOutputStream() << "Running on " << context.cpu_info.num_cpus << " CPUs at "
                      << format("%.0f", context.cpu_info.cycles_per_second / 1e6) << " MHz; "
                      << "CPU time, median of the repetitions\n\n";
    return true;
}

void PerNumberTable::ReportRuns(const std::vector<Run> &runs)
{
    Row row;
    for (const Run &run : runs) {
        row.order = run.family_index;
        row.name = run.run_name.function_name;
        if (run.error_occurred) {
            row.error = run.error_message;
        } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
            row.nsPerNumber = nanoseconds(run) / numbersOf(run);
        } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "cv") {
            row.spreadPercent = run.cpu_accumulated_time * 100;  // a ratio, not a time
        }
    }
    rows_.push_back(row);
}

void PerNumberTable::Finalize()
{
    std::sort(rows_.begin(), rows_.end(), [](const Row &a, const Row &b) { return a.order < b.order; });
    double slowest = 0;
    std::size_t nameWidth = 9;
    for (const Row &row : rows_) {
        slowest = std::max(slowest, row.nsPerNumber);
        nameWidth = std::max(nameWidth, row.name.size());
    }
    std::ostream &out = GetOutputStream();
    const auto pad = [nameWidth](const std::string &text) { return text + std::string(nameWidth - text.size(), ' '); };
    out << pad("Benchmark") << " | ns per number | spread (cv) | times faster than slowest\n";
    out << std::string(nameWidth, '-') << "-|---------------|-------------|--------------------------\n";
    for (const Row &row : rows_) {
        if (!row.error.empty()) {
            out << pad(row.name) << " | failed: " << row.error << '\n';
            continue;
        }
        out << pad(row.name) << " | " << format("%13.1f", row.nsPerNumber) << " | "
            << format("%10.1f %%", row.spreadPercent) << " | "
            << format("%.1f", row.nsPerNumber > 0 ? slowest / row.nsPerNumber : 0) << '\n';
    }
}

}  // namespace numoria::bench
