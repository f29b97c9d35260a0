#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Turns raw fuzz bytes into the texts a user could have typed or pasted, one
// per click. Several texts per input let one run go through a whole sequence
// of clicks on the same column, so that what a click leaves behind is tested
// against the next one.
namespace numoria::fuzzing {

// UTF-8, texts separated by the byte 0xFF (never part of valid UTF-8). Each
// ill-formed byte becomes U+FFFD, as a text field would show it; characters
// above U+FFFF become surrogate pairs.
std::vector<std::u16string> textsFromUtf8(const std::uint8_t *data, std::size_t size);

// UTF-16 little endian, texts separated by U+FFFF (a noncharacter). Lone
// surrogates and NULs are kept as they are; an odd last byte is dropped.
std::vector<std::u16string> textsFromUtf16(const std::uint8_t *data, std::size_t size);

}  // namespace numoria::fuzzing
