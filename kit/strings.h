#pragma once

#include <QString>

namespace kit {

// The interface language; the number is the first digit of its texts'
// identifiers in the string table.
enum class Language { French = 1, German = 2, English = 3 };

inline constexpr Language allLanguages[] = {Language::French, Language::German, Language::English};

// The texts of the string table, numbered the same in every language.
enum class Text {
    AppTitle = 1,
    TooLong = 2,
    Prompt = 3,
    DescriptionLine1 = 4,
    DescriptionLine2 = 5,
    DisclaimerLine1 = 6,
    DisclaimerLine2 = 7,
    DisclaimerLine3 = 8,
    ConvertTooltip = 9,
    IdeogramTooltip = 10,
    AboutTitle = 11,
    VersionPrefix = 12,
    SysInfoButton = 13,
    ConvertButton = 14,
    FileMenu = 15,
    AboutItem = 16,
    QuitItem = 17,
    Credit = 18,
};

// The identifier of a text: the language's digit followed by the two digits of
// the text's number (French 2 is 102, English 14 is 314).
int stringIdentifier(Language language, Text text);

// A text as the table holds it, blanks included, looked up afresh each time.
QString text(Language language, Text text);

// One text in every language, for sizes that must suit them all.
QStringList inEveryLanguage(Text text);

// The program's name, the same in every language.
QString applicationTitle();

// The three texts that are French whatever the interface language.
QString digitsOnlyText();
QString digitsOnlyTitle();
QString systemInfoUnavailableText();

}  // namespace kit
