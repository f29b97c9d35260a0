#pragma once

// The rule for writing a whole number of one to five digits in Chinese
// numerals, as a column of ideograms read from top to bottom. Plain C++: the
// windows draw what these functions return.

#include <array>
#include <cstddef>
#include <string_view>

namespace numerals {

// The embedded pictures are numbered 101 + digit for 零..九, then 十 百 千.
enum class Ideogram : unsigned char {
    Zero = 101,
    One,
    Two,
    Three,
    Four,
    Five,
    Six,
    Seven,
    Eight,
    Nine,
    Ten = 111,
    Hundred = 112,
    Thousand = 113,
};

constexpr int pictureNumber(Ideogram ideogram) { return static_cast<int>(ideogram); }
constexpr Ideogram digitIdeogram(int digit) { return static_cast<Ideogram>(101 + digit); }

// The ideogram itself, as UTF-8 (for accessible names).
std::string_view character(Ideogram ideogram);

// One cell: its picture and its tag, the value the ideogram stands for: the
// digit for a digit, "10", "100" or "1000" for a multiplier whatever digit
// stands before it.
struct Cell {
    Ideogram ideogram;
    std::string_view tag;
    bool operator==(const Cell &) const = default;
};

// At most nine cells: 99999 is 九 十 九 千 九 百 九 十 九.
class Column
{
public:
    static constexpr std::size_t capacity = 9;

    void push(Ideogram ideogram, std::string_view tag) { cells_[size_++] = {ideogram, tag}; }
    std::size_t size() const { return size_; }
    const Cell &operator[](std::size_t index) const { return cells_[index]; }
    const Cell *begin() const { return cells_.data(); }
    const Cell *end() const { return cells_.data() + size_; }

private:
    std::array<Cell, capacity> cells_{};
    std::size_t size_ = 0;
};

constexpr std::size_t maxDigits = 5;

// The only characters a number is written with: 0 to 9, no other script's digits.
constexpr bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// What a text typed into the number box allows.
enum class TextCheck {
    Digits,     // one to five characters 0-9: it can be written
    Empty,      // nothing to write
    TooLong,    // six characters or more
    NotDigits,  // something other than 0-9 (only a paste or a drop gets it there)
};

// Works on UTF-16 code units, so that a length counts what the box holds.
TextCheck checkText(std::u16string_view text);

// The digits without their leading zeros; a text of zeros keeps one "0".
std::u16string_view withoutLeadingZeros(std::u16string_view digits);

// The column for one to five digits 0-9 without a leading zero (or "0").
// Ten thousands are a count of thousands: 12345 is 一 十 二 千 三 百 四 十 五.
Column columnFor(std::u16string_view digits);

}  // namespace numerals
