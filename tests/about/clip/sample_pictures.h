#pragma once

// Deterministic pictures for the format tests: moving shapes over still
// areas (so RLE deltas skip), long runs and noisy stretches (literals).

#include <cstdint>
#include <vector>

using IndexPicture = std::vector<std::uint8_t>;  // palette indices, rows top-down
using ColourPicture = std::vector<std::uint32_t>; // 0xAARRGGBB, rows top-down

std::vector<std::uint32_t> samplePalette(int entries); // 0xRRGGBB
std::vector<IndexPicture> sampleIndexPictures(int width, int height, int count, int colours);
std::vector<ColourPicture> sampleColourPictures(int width, int height, int count);

// Uncompressed DIB rows, each padded to four bytes.
std::vector<std::uint8_t> packIndexRows(const IndexPicture &picture, int width, int height, int bits, bool topDown);
// bits 16 (RGB555), 24 or 32 (B, G, R, then `fourthByte`).
std::vector<std::uint8_t> packColourRows(const ColourPicture &picture, int width, int height, int bits, bool topDown,
                                         std::uint8_t fourthByte = 0xFF);
