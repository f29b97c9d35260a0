#pragma once

#include <cstdint>
#include <vector>

// Encodes a picture of palette indices (rows top-down) as BI_RLE8 (bits 8)
// or BI_RLE4 (bits 4). With a previous picture, only the pixels that differ
// are written and the rest is skipped with delta and end-of-line escapes,
// as RLE clips do; without one, every pixel is written. Uses encoded runs,
// literal runs of odd and even length, delta, end of line and end of bitmap.
std::vector<std::uint8_t> encodeRle(const std::vector<std::uint8_t> *previous, const std::vector<std::uint8_t> &current,
                                    int width, int height, int bits);
