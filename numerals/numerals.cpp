#include "numerals/numerals.h"

#include <algorithm>

namespace numerals {

namespace {

constexpr std::string_view kDigitTags[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};

int valueOf(char16_t digit) { return digit - u'0'; }

void pushDigit(Column &column, char16_t digit)
{
    column.push(digitIdeogram(valueOf(digit)), kDigitTags[valueOf(digit)]);
}

void pushZero(Column &column) { column.push(Ideogram::Zero, kDigitTags[0]); }

// A two-digit number, also the count of thousands of a five-digit one: the
// tens digit is always written, 1 included, then 十, then a non-zero unit.
void pushTwoDigits(Column &column, char16_t tens, char16_t units)
{
    pushDigit(column, tens);
    column.push(Ideogram::Ten, "10");
    if (units != u'0')
        pushDigit(column, units);
}

// Tens and units after a higher place: a zero before a non-zero digit is one
// 零 without its multiplier; zeros at the end write nothing.
void pushTensAndUnits(Column &column, char16_t tens, char16_t units)
{
    if (tens != u'0') {
        pushDigit(column, tens);
        column.push(Ideogram::Ten, "10");
        if (units != u'0')
            pushDigit(column, units);
    } else if (units != u'0') {
        pushZero(column);
        pushDigit(column, units);
    }
}

// The last three digits after 千: a zero hundreds digit followed by non-zero
// tens is one 零; two zeros before the units are one 零 too.
void pushHundredsTensUnits(Column &column, char16_t hundreds, char16_t tens, char16_t units)
{
    if (hundreds != u'0') {
        pushDigit(column, hundreds);
        column.push(Ideogram::Hundred, "100");
    } else if (tens != u'0') {
        pushZero(column);
    }
    pushTensAndUnits(column, tens, units);
}

}  // namespace

std::string_view character(Ideogram ideogram)
{
    static constexpr std::string_view characters[] = {
        "零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "百", "千",
    };
    return characters[pictureNumber(ideogram) - pictureNumber(Ideogram::Zero)];
}

TextCheck checkText(std::u16string_view text)
{
    if (text.empty())
        return TextCheck::Empty;
    if (text.size() > maxDigits)
        return TextCheck::TooLong;
    if (!std::all_of(text.begin(), text.end(), isDigit))
        return TextCheck::NotDigits;
    return TextCheck::Digits;
}

std::u16string_view withoutLeadingZeros(std::u16string_view digits)
{
    while (digits.size() > 1 && digits.front() == u'0')
        digits.remove_prefix(1);
    return digits;
}

Column columnFor(std::u16string_view d)
{
    Column column;
    switch (d.size()) {
    case 1:
        pushDigit(column, d[0]);
        break;
    case 2:
        pushTwoDigits(column, d[0], d[1]);
        break;
    case 3:
        pushDigit(column, d[0]);
        column.push(Ideogram::Hundred, "100");
        pushTensAndUnits(column, d[1], d[2]);
        break;
    case 4:
        pushDigit(column, d[0]);
        column.push(Ideogram::Thousand, "1000");
        pushHundredsTensUnits(column, d[1], d[2], d[3]);
        break;
    case 5:
        // No ideogram for ten thousand: the count of thousands, then 千.
        pushTwoDigits(column, d[0], d[1]);
        column.push(Ideogram::Thousand, "1000");
        pushHundredsTensUnits(column, d[2], d[3], d[4]);
        break;
    default:
        break;
    }
    return column;
}

}  // namespace numerals
