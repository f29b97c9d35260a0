#include "converter.h"

#include "ideogram.h"
#include "ideogram_column.h"
#include "input_box.h"

#include <algorithm>

namespace numoria {

namespace {

constexpr std::size_t kMaxDigits = 5;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool allDigits(const std::u16string &text) { return std::all_of(text.begin(), text.end(), isDigit); }
bool isZero(char16_t c) { return c == u'0'; }
int valueOf(char16_t digit) { return digit - u'0'; }
std::string tagOf(char16_t digit) { return std::string(1, static_cast<char>(digit)); }

}  // namespace

Converter::Converter(IdeogramColumn &column, InputBox &input) : column_(column), input_(input) {}

Outcome Converter::Command1_Click()
{
    column_.clear();
    for (;;) {
        const std::u16string text = input_.text();
        if (text.empty())
            return Outcome::Empty;
        if (text.size() > kMaxDigits)
            return Outcome::TooLong;
        // Only a paste can bring anything else here; drawing it would show
        // a wrong number, so the caller is told instead.
        if (!allDigits(text))
            return Outcome::NotDigits;
        if (text.size() == 1) {
            writeFirstDigit(text[0]);
            return Outcome::Drawn;
        }
        if (isZero(text[0])) {
            // One leading zero per pass, rewritten in the box itself.
            input_.setText(text.substr(1));
            continue;
        }
        switch (text.size()) {
        case 2:
            deux_chiffres();
            break;
        case 3:
            trois_chiffres();
            break;
        case 4:
            quatre_chiffres();
            break;
        default:
            if (text.substr(1) == u"0000") {
                // No ideogram for ten thousand: d 十 千.
                writeFirstDigit(text[0]);
                appendTen(1);
                appendThousand(2);
            } else {
                cinq_chiffres();
            }
            break;
        }
        return Outcome::Drawn;
    }
}

void Converter::deux_chiffres()
{
    const std::u16string text = input_.text();
    writeFirstDigit(text[0]);
    appendTen(1);
    if (!isZero(text[1]))
        appendDigit(2, text[1]);
}

void Converter::trois_chiffres()
{
    const std::u16string text = input_.text();
    const char16_t tens = text[1];
    const char16_t units = text[2];
    writeFirstDigit(text[0]);
    appendHundred(1);
    if (isZero(units) && !isZero(tens)) {
        appendDigit(2, tens);
        appendTen(3);
    } else if (!isZero(units) && isZero(tens)) {
        appendZero(2);
        appendDigit(3, units);
    } else if (!isZero(units) && !isZero(tens)) {
        appendDigit(2, tens);
        appendTen(3);
        appendDigit(4, units);
    }
}

void Converter::quatre_chiffres()
{
    const std::u16string text = input_.text();
    const char16_t hundreds = text[1];
    const char16_t tens = text[2];
    const char16_t units = text[3];
    writeFirstDigit(text[0]);
    appendThousand(1);
    if (text.substr(1) == u"000") {
        // d 千
    } else if (text.substr(2) == u"00") {
        appendDigit(2, hundreds);
        appendHundred(3);
    } else if (isZero(units) && !isZero(hundreds) && !isZero(tens)) {
        appendDigit(2, hundreds);
        appendHundred(3);
        appendDigit(4, tens);
        appendTen(5);
    } else if (isZero(hundreds) && isZero(units)) {
        appendZero(2);
        appendDigit(3, tens);
        appendTen(4);
    } else if (text.substr(1, 2) == u"00") {
        appendZero(2);
        appendDigit(3, units);
    } else if (isZero(hundreds)) {
        appendZero(2);
        appendDigit(3, tens);
        appendTen(4);
        appendDigit(5, units);
    } else if (isZero(tens)) {
        appendDigit(2, hundreds);
        appendHundred(3);
        appendZero(4);
        appendDigit(5, units);
    } else {
        appendDigit(2, hundreds);
        appendHundred(3);
        appendDigit(4, tens);
        appendTen(5);
        appendDigit(6, units);
    }
}

void Converter::cinq_chiffres()
{
    const std::u16string text = input_.text();
    writeFirstDigit(text[0]);
    appendTen(1);
    if (text[1] == u'0') {
        appendThousand(2);
        suite_en_trois(text.substr(2, 3));
    } else {
        appendDigit(2, text[1]);
        appendThousand(3);
        suite_en_trois_bis(text.substr(2, 3));
    }
}

void Converter::suite_en_trois(const std::u16string &brou) { writeTail(3, brou); }

void Converter::suite_en_trois_bis(const std::u16string &trou) { writeTail(4, trou); }

void Converter::writeTail(int firstIndex, const std::u16string &digits)
{
    const char16_t hundreds = digits.front();
    const char16_t tens = digits[1];
    const char16_t units = digits.back();
    const bool tensOnly = isZero(units) && !isZero(tens);
    const bool unitsOnly = !isZero(units) && isZero(tens);
    const bool neither = isZero(units) && isZero(tens);

    int index = firstIndex;
    if (!isZero(hundreds)) {
        appendDigit(index++, hundreds);
        appendHundred(index++);
    } else if (!unitsOnly && !neither) {
        appendZero(index++);
    }

    if (tensOnly) {
        appendDigit(index++, tens);
        appendTen(index++);
    } else if (unitsOnly) {
        appendZero(index++);
        appendDigit(index++, units);
    } else if (!neither) {
        appendDigit(index++, tens);
        appendTen(index++);
        appendDigit(index++, units);
    }
}

void Converter::writeFirstDigit(char16_t digit)
{
    column_.writeFirst(ideogram::forDigit(valueOf(digit)), tagOf(digit));
}

void Converter::appendDigit(int index, char16_t digit)
{
    column_.append(index, ideogram::forDigit(valueOf(digit)), tagOf(digit));
}

void Converter::appendZero(int index) { column_.append(index, ideogram::Zero, "0"); }
void Converter::appendTen(int index) { column_.append(index, ideogram::Ten, kTenTag); }
void Converter::appendHundred(int index) { column_.append(index, ideogram::Hundred, kHundredTag); }
void Converter::appendThousand(int index) { column_.append(index, ideogram::Thousand, kThousandTag); }

}  // namespace numoria
