#pragma once

// BI_RLE8 bitmaps, drawn over the previous picture: pixels the data skips
// (delta and end-of-line escapes) keep their old value.

#include <cstdint>
#include <span>
#include <vector>

namespace clip::avi {

// Palette indices, rows top-down.
struct IndexPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
};

// Malformed data never writes outside the picture: pixels past the end of a
// line are dropped, and decoding stops at the top line or the data's end.
void decodeRle8(std::span<const std::uint8_t> data, IndexPicture &picture);

} // namespace clip::avi
