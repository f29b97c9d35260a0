#pragma once

#include <string>

namespace numoria {

class IdeogramColumn;
class InputBox;

// What a click on the convert button ended with, so the window can answer it.
enum class Outcome {
    Drawn,      // the column shows the number
    Empty,      // nothing typed: nothing drawn, cell 0 keeps its last ideogram
    TooLong,    // six characters or more: nothing drawn
    NotDigits,  // something other than 0-9 (only a paste gets it there): nothing drawn
};

// Writes the digits of the input box as ideograms into the column. The names
// are those of the window's handlers and routines; each routine reads the input
// box itself, as the window's event handlers may change it in between.
class Converter
{
public:
    Converter(IdeogramColumn &column, InputBox &input);

    Outcome Command1_Click();

    void deux_chiffres();
    void trois_chiffres();
    void quatre_chiffres();
    void cinq_chiffres();
    void suite_en_trois(const std::u16string &brou);
    void suite_en_trois_bis(const std::u16string &trou);

private:
    void writeTail(int firstIndex, const std::u16string &digits);
    void writeFirstDigit(char16_t digit);
    void appendDigit(int index, char16_t digit);
    void appendZero(int index);
    void appendTen(int index);
    void appendHundred(int index);
    void appendThousand(int index);

    IdeogramColumn &column_;
    InputBox &input_;
};

}  // namespace numoria
