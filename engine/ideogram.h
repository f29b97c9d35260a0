#pragma once

#include <string>

namespace numoria {

// Ideogram identifiers are the numbers of the embedded pictures: 101 + digit
// for 零..九, then the three multipliers.
namespace ideogram {
constexpr int Zero = 101;      // 零
constexpr int Ten = 111;       // 十
constexpr int Hundred = 112;   // 百
constexpr int Thousand = 113;  // 千
constexpr int First = Zero;
constexpr int Last = Thousand;

constexpr int forDigit(int digit) { return Zero + digit; }
constexpr bool isValid(int id) { return id >= First && id <= Last; }

// The character each picture shows, as UTF-8 (for accessible names and logs).
const char *character(int id);
}  // namespace ideogram

// Tags of the multipliers: the value they stand for, whatever digit precedes them.
inline const std::string kTenTag = "10";
inline const std::string kHundredTag = "100";
inline const std::string kThousandTag = "1000";

}  // namespace numoria
