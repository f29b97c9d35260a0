// Every number 0..99999 written out once per iteration: by the engine into an
// in-memory column (the bare array, and the checked column the tests use), by
// ICU's Chinese spellout as a yardstick, and, as the floor under the engine,
// the same cells written straight into the array column with no rule decided.
#include "array_column.h"
#include "number_texts.h"
#include "written_columns.h"

#include "converter.h"
#include "memory_column.h"
#include "memory_input_box.h"

#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <memory>

namespace numoria::bench {

namespace {

void setNumbersPerIteration(benchmark::State &state)
{
    state.counters["numbers"] = kNumberCount;
}

template <class Column>
void NumoriaEngine(benchmark::State &state)
{
    const std::vector<std::u16string> &texts = numberTexts();
    // One column for the whole run, as in the window: each click clears the last.
    Column column;
    for (const std::u16string &text : texts) {
        MemoryInputBox input(text);
        if (Converter(column, input).Command1_Click() != Outcome::Drawn) {
            state.SkipWithError("the engine did not draw every number");
            return;
        }
    }
    for (auto _ : state) {
        for (const std::u16string &text : texts) {
            MemoryInputBox input(text);
            benchmark::DoNotOptimize(Converter(column, input).Command1_Click());
        }
        benchmark::ClobberMemory();
    }
    setNumbersPerIteration(state);
}

void ColumnWritesOnly(benchmark::State &state)
{
    const WrittenColumns &columns = writtenColumns();
    ArrayColumn column;
    for (auto _ : state) {
        for (std::size_t number = 0; number + 1 < columns.firstCell.size(); ++number) {
            const int *cells = columns.ideograms.data() + columns.firstCell[number];
            const auto count = static_cast<int>(columns.firstCell[number + 1] - columns.firstCell[number]);
            column.clear();
            column.writeFirst(cells[0], tagOf(cells[0]));
            for (int k = 1; k < count; ++k)
                column.append(k, cells[k], tagOf(cells[k]));
        }
        benchmark::ClobberMemory();
    }
    setNumbersPerIteration(state);
}

void IcuSpellout(benchmark::State &state)
{
    UErrorCode status = U_ZERO_ERROR;
    const auto format = std::make_unique<icu::RuleBasedNumberFormat>(icu::URBNF_SPELLOUT, icu::Locale("zh"), status);
    if (U_FAILURE(status)) {
        state.SkipWithError(u_errorName(status));
        return;
    }
    icu::UnicodeString out;
    for (int32_t number = 0; number < kNumberCount; ++number) {
        out.remove();
        format->format(number, out);
        if (out.isEmpty()) {
            state.SkipWithError("ICU spelled out nothing");
            return;
        }
    }
    for (auto _ : state) {
        for (int32_t number = 0; number < kNumberCount; ++number) {
            out.remove();
            format->format(number, out);
            benchmark::DoNotOptimize(out.length());
        }
    }
    setNumbersPerIteration(state);
}

}  // namespace

constexpr int kRepetitions = 10;

BENCHMARK_TEMPLATE(NumoriaEngine, ArrayColumn)
    ->Name("Numoria engine, array column")
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(NumoriaEngine, MemoryColumn)
    ->Name("Numoria engine, checked MemoryColumn")
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(ColumnWritesOnly)
    ->Name("Column writes alone, array column")
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(IcuSpellout)->Name("ICU spellout, locale zh")->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace numoria::bench
