#pragma once

#include "clip/avi_container.h"
#include "clip/rle_decoder.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace clip::avi {

enum class FrameEncoding { Raw, Rle8, Rle4 };

// Turns the frame chunks of one stream, in order, into 0xAARRGGBB pictures.
// Paletted streams keep their picture as indices, because RLE frames and
// palette changes both build on what came before.
class FrameDecoder
{
public:
    // The format must be checked already: size within limits, bit count
    // 8/16/24/32 for Raw, 8 for Rle8, 4 for Rle4.
    FrameDecoder(const BitmapFormat &format, FrameEncoding encoding);

    // An empty chunk repeats the previous picture. Returns an error text for
    // a chunk too short to hold an uncompressed frame, else an empty string.
    std::string decode(std::span<const std::uint8_t> chunk, std::vector<std::uint32_t> &picture);

    // AVIPALCHANGE: first entry, entry count (0 means 256), flags, then
    // R, G, B, flags per entry.
    void changePalette(std::span<const std::uint8_t> data);

private:
    bool isIndexed() const { return bitCount_ <= 8; }
    std::size_t rowStride() const;
    int pictureRow(int storedRow) const;
    void readIndexedRows(std::span<const std::uint8_t> rows);
    void readColourRows(std::span<const std::uint8_t> rows);
    void paintIndices(std::vector<std::uint32_t> &picture) const;

    int width_;
    int height_;
    bool topDown_;
    int bitCount_;
    FrameEncoding encoding_;
    std::array<std::uint32_t, 256> palette_;
    IndexPicture indices_;
    std::vector<std::uint32_t> colours_;
};

} // namespace clip::avi
