#include "reference_numerals.h"

namespace {

const int kMultiplier[] = {0, 111, 112, 113};
const char *const kMultiplierTag[] = {"", "10", "100", "1000"};

// Writes digits standing at places size-1 .. 0; zeros are held back until a
// non-zero digit follows them, then written as one 零.
void writePlaces(const std::vector<int> &digits, std::vector<ReferenceCell> &out)
{
    bool zeroPending = false;
    const int last = static_cast<int>(digits.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const int place = last - i;
        const int digit = digits[static_cast<std::size_t>(i)];
        if (digit == 0) {
            zeroPending = true;
            continue;
        }
        if (zeroPending)
            out.push_back({101, "0"});
        zeroPending = false;
        out.push_back({101 + digit, std::to_string(digit)});
        if (place > 0)
            out.push_back({kMultiplier[place], kMultiplierTag[place]});
    }
}

}  // namespace

std::vector<ReferenceCell> referenceNumerals(int number)
{
    std::vector<ReferenceCell> out;
    if (number == 0)
        return {{101, "0"}};
    if (number < 10000) {
        std::vector<int> digits;
        for (char c : std::to_string(number))
            digits.push_back(c - '0');
        writePlaces(digits, out);
        return out;
    }
    // The count of thousands is itself a two-digit number, then 千, then the
    // last three digits with zeros after 千 as one 零.
    writePlaces({number / 10000, number / 1000 % 10}, out);
    out.push_back({113, "1000"});
    writePlaces({number / 100 % 10, number / 10 % 10, number % 10}, out);
    return out;
}
