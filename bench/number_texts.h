#pragma once

#include <string>
#include <vector>

namespace numoria::bench {

// How many numbers one benchmark iteration converts: all of 0..99999.
constexpr int kNumberCount = 100000;

// "0".."99999" as the input box holds them, made once before timing starts.
const std::vector<std::u16string> &numberTexts();

}  // namespace numoria::bench
