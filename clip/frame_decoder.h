#pragma once

#include "clip/avi_container.h"
#include "clip/rle_decoder.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clip::avi {

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

} // namespace clip::avi
