#pragma once

#include "clip/avi_container.h"
#include "clip/rle_decoder.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clip::avi {

// Turns the frame chunks of one stream, in order, into 0xAARRGGBB pictures.
// Paletted streams keep their picture as indices, because an RLE frame only
// repaints what changed since the one before.
class FrameDecoder
{
public:
    // The format must be checked already: size within limits, bit count
    // 8/16/24/32 when uncompressed, 8 and bottom-up when RLE8.
    explicit FrameDecoder(const BitmapFormat &format);

    // Returns an error text for an uncompressed frame too short for its
    // picture, else an empty string.
    std::string decode(std::span<const std::uint8_t> chunk, std::vector<std::uint32_t> &picture);

private:
    std::size_t rowStride() const;
    void readRows(std::span<const std::uint8_t> rows);

    BitmapFormat format_;
    int width_;
    int height_;
    bool compressed_;
    IndexPicture indices_;
    std::vector<std::uint32_t> colours_;
};

} // namespace clip::avi
