// Every number 0..99999 written out once per iteration: by the numeral rule
// into its column value, and by ICU's Chinese spellout as a yardstick.
#include "number_texts.h"

#include "numerals/numerals.h"

#include <benchmark/benchmark.h>
#include <unicode/locid.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <memory>

namespace numoria::bench {

namespace {

void setNumbersPerIteration(benchmark::State &state) { state.counters["numbers"] = kNumberCount; }

// What a click decides before anything is drawn: the text's check, the
// leading zeros, and the column of ideograms and tags.
void NumoriaRule(benchmark::State &state)
{
    const std::vector<std::u16string> &texts = numberTexts();
    for (const std::u16string &text : texts) {
        if (numerals::checkText(text) != numerals::TextCheck::Digits || numerals::columnFor(text).size() == 0) {
            state.SkipWithError("the rule did not write every number");
            return;
        }
    }
    for (auto _ : state) {
        for (const std::u16string &text : texts) {
            benchmark::DoNotOptimize(numerals::checkText(text));
            const numerals::Column column = numerals::columnFor(numerals::withoutLeadingZeros(text));
            benchmark::DoNotOptimize(column);
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

BENCHMARK(NumoriaRule)->Name("Numoria rule")->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(IcuSpellout)->Name("ICU spellout, locale zh")->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

}  // namespace numoria::bench
