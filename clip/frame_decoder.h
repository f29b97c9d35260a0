#pragma once

#include "clip/avi_container.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clip::avi {

// Palette indices, rows top-down.
struct IndexPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices;
};

// Draws a BI_RLE8 bitmap over the previous picture: pixels the data skips
// (delta and end-of-line escapes) keep their old value. Malformed data never
// writes outside the picture: pixels past the end of a line are dropped, and
// decoding stops at the top line or the data's end.
void decodeRle8(std::span<const std::uint8_t> data, IndexPicture &picture);

// Turns the frame chunks of one stream, in order, into one 0xFFRRGGBB
// picture, rows top-down, that each frame overwrites. Paletted streams keep
// their picture as indices too, because an RLE frame only repaints what
// changed since the one before.
class FrameDecoder
{
public:
    // The format must be checked already: size within limits, bit count
    // 8/16/24/32 when uncompressed, 8 and bottom-up when RLE8.
    explicit FrameDecoder(const BitmapFormat &format);

    // Returns the reason an uncompressed frame is too short for its picture,
    // else an empty string.
    std::string decode(std::span<const std::uint8_t> chunk);
    // The picture of the last frame decoded.
    const std::vector<std::uint32_t> &picture() const { return colours_; }

private:
    std::size_t rowStride() const;
    void readRows(std::span<const std::uint8_t> rows);

    BitmapFormat format_;
    int width_;
    int height_;
    bool compressed_;
    std::size_t decoded_ = 0;
    IndexPicture indices_;
    std::vector<std::uint32_t> colours_;
};

}  // namespace clip::avi
