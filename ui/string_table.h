#pragma once

#include <QString>

namespace numoria {

// Message numbers of the string table, the same in every language.
namespace msg {
constexpr int AppTitle = 1;
constexpr int TooLong = 2;
constexpr int Prompt = 3;
constexpr int DescriptionLine1 = 4;
constexpr int DescriptionLine2 = 5;
constexpr int DisclaimerLine1 = 6;
constexpr int DisclaimerLine2 = 7;
constexpr int DisclaimerLine3 = 8;
constexpr int ConvertTooltip = 9;
constexpr int IdeogramTooltip = 10;
constexpr int AboutTitle = 11;
constexpr int VersionPrefix = 12;
constexpr int SysInfoButton = 13;
constexpr int ConvertButton = 14;
constexpr int FileMenu = 15;
constexpr int AboutItem = 16;
constexpr int QuitItem = 17;
constexpr int Credit = 18;
}  // namespace msg

// The text stored under a string identifier; empty (and a warning) for an
// identifier the table does not hold.
QString LoadResString(int identifier);

// The identifier of a message in a language: its decimal text followed by the
// two digits of the message number.
int stringIdentifier(int language, int messageNumber);

// A message in the current language, looked up afresh each time.
QString message(int messageNumber);

}  // namespace numoria
