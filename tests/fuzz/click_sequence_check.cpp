#include "click_sequence_check.h"

#include "column_invariants.h"
#include "converter.h"
#include "ideogram.h"
#include "memory_column.h"
#include "memory_input_box.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace numoria::fuzzing {

namespace {

constexpr std::size_t kMaxDigits = 5;
constexpr std::size_t kLongestShown = 40;

bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

Outcome expectedOutcome(const std::u16string &text)
{
    if (text.empty())
        return Outcome::Empty;
    if (text.size() > kMaxDigits)
        return Outcome::TooLong;
    if (!std::all_of(text.begin(), text.end(), isAsciiDigit))
        return Outcome::NotDigits;
    return Outcome::Drawn;
}

const char *nameOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Drawn:
        return "Drawn";
    case Outcome::Empty:
        return "Empty";
    case Outcome::TooLong:
        return "TooLong";
    case Outcome::NotDigits:
        return "NotDigits";
    }
    return "an unknown outcome";
}

std::u16string withoutLeadingZeros(const std::u16string &digits)
{
    const std::size_t first = digits.find_first_not_of(u'0');
    return first == std::u16string::npos ? u"0" : digits.substr(first);
}

int numberOf(const std::u16string &digits)
{
    int number = 0;
    for (char16_t c : digits)
        number = number * 10 + (c - u'0');
    return number;
}

// Reads the column back the way it is read aloud: a digit counts the
// multiplier below it, and 千 multiplies all that stands above it, since ten
// thousands are written as a count of thousands. Nothing when the sequence
// makes no sense (two digits in a row, a multiplier with no count, 零 before
// a multiplier).
std::optional<int> readBack(const MemoryColumn &column)
{
    constexpr int kNoCount = -1;
    int total = 0;
    int count = kNoCount;
    for (int k = 0; k < column.count(); ++k) {
        const int picture = column.picture(k);
        if (picture >= ideogram::Zero && picture < ideogram::Ten) {
            if (count > 0)
                return std::nullopt;
            count = picture - ideogram::Zero;
            continue;
        }
        if (count == 0)
            return std::nullopt;
        if (picture == ideogram::Thousand) {
            if (count == kNoCount && total == 0)
                return std::nullopt;
            total = (total + std::max(count, 0)) * 1000;
        } else {
            if (count == kNoCount)
                return std::nullopt;
            total += count * (picture == ideogram::Ten ? 10 : 100);
        }
        count = kNoCount;
    }
    return total + std::max(count, 0);
}

int zerosIn(const MemoryColumn &column)
{
    int zeros = 0;
    for (int k = 0; k < column.count(); ++k)
        zeros += column.picture(k) == ideogram::Zero ? 1 : 0;
    return zeros;
}

std::string drawnFault(const MemoryColumn &column, const MemoryInputBox &input, const std::u16string &typed)
{
    const std::u16string expected = withoutLeadingZeros(typed);
    if (input.text() != expected)
        return "left " + printable(input.text()) + " in the box";
    const auto stripped = static_cast<int>(typed.size() - expected.size());
    if (input.rewrites() != stripped)
        return "rewrote the box " + std::to_string(input.rewrites()) + " times for "
               + std::to_string(stripped) + " leading zeros";
    const int number = numberOf(expected);
    const std::optional<int> shown = readBack(column);
    if (!shown)
        return "drew a column that does not read as a number";
    if (*shown != number)
        return "drew " + std::to_string(*shown) + " instead of " + std::to_string(number);
    if (zerosIn(column) > 1)
        return "drew more than one 零";
    if (number != 0 && column.picture(column.count() - 1) == ideogram::Zero)
        return "ended the column with 零";
    return {};
}

std::string nothingDrawnFault(const MemoryColumn &column, const MemoryColumn::Cell &firstBefore,
                              const MemoryInputBox &input, const std::u16string &typed)
{
    if (column.count() != 1)
        return "left " + std::to_string(column.count()) + " cells";
    const MemoryColumn::Cell &first = column.cell(0);
    if (first.picture != firstBefore.picture || first.tag != firstBefore.tag)
        return "changed cell 0";
    if (input.rewrites() != 0 || input.text() != typed)
        return "rewrote the box";
    return {};
}

std::string clickFault(MemoryColumn &column, const std::u16string &typed)
{
    const MemoryColumn::Cell firstBefore = column.cell(0);
    MemoryInputBox input(typed);
    const Outcome outcome = Converter(column, input).Command1_Click();
    const Outcome expected = expectedOutcome(typed);
    if (outcome != expected)
        return std::string("ended ") + nameOf(outcome) + " instead of " + nameOf(expected);
    std::string fault = columnFault(column);
    if (!fault.empty())
        return fault;
    return outcome == Outcome::Drawn ? drawnFault(column, input, typed)
                                     : nothingDrawnFault(column, firstBefore, input, typed);
}

}  // namespace

std::string clickSequenceFault(const std::vector<std::u16string> &texts)
{
    MemoryColumn column;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::string fault;
        try {
            fault = clickFault(column, texts[i]);
        } catch (const MemoryColumn::Error &error) {
            fault = std::string("misused the column: ") + error.what();
        }
        if (!fault.empty())
            return "click " + std::to_string(i + 1) + " on " + printable(texts[i]) + ": " + fault;
    }
    return {};
}

void abortOnFault(const std::string &fault)
{
    if (fault.empty())
        return;
    std::fprintf(stderr, "numoria fuzz: %s\n", fault.c_str());
    std::abort();
}

std::string printable(const std::u16string &text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < kLongestShown; ++i) {
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    out += "\"";
    if (text.size() > kLongestShown)
        out += " (" + std::to_string(text.size()) + " units)";
    return out;
}

}  // namespace numoria::fuzzing
