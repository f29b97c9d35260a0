#include "sample_pictures.h"

namespace {

// A small fixed pseudo-random sequence, the same on every machine.
std::uint32_t scramble(std::uint32_t value)
{
    value = (value ^ value >> 16) * 0x7feb352dU;
    value = (value ^ value >> 15) * 0x846ca68bU;
    return value ^ value >> 16;
}

// Rows of a device-independent bitmap are padded to four bytes.
std::vector<std::uint8_t> blankRows(int width, int height, int bits, std::size_t &stride)
{
    stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    return std::vector<std::uint8_t>(stride * height);
}

} // namespace

std::vector<std::uint32_t> samplePalette(int entries)
{
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(scramble(static_cast<std::uint32_t>(i) + 17) & 0xFFFFFF);
    return palette;
}

std::vector<IndexPicture> sampleIndexPictures(int width, int height, int count, int colours)
{
    std::vector<IndexPicture> pictures;
    for (int frame = 0; frame < count; ++frame) {
        if (frame == count - 1 && frame > 1) { // the last frame repeats the one before
            pictures.push_back(pictures.back());
            continue;
        }
        IndexPicture picture;
        const int left = frame * 5 % width; // a moving square
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int value = (x / 6 + y / 5) % colours; // still blocks: runs
                if (y == 2 || y == height - 2)          // noisy rows: literals
                    value = static_cast<int>(scramble(static_cast<std::uint32_t>(x * 31 + y)) % colours);
                if (x >= left && x < left + 7 && y >= 6 && y < 13)
                    value = (frame * 3 + x - left) % colours;
                picture.push_back(static_cast<std::uint8_t>(value));
            }
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

// The index pictures in the colours of the 256-entry palette.
std::vector<ColourPicture> sampleColourPictures(int width, int height, int count)
{
    const std::vector<std::uint32_t> palette = samplePalette(256);
    std::vector<ColourPicture> pictures;
    for (const IndexPicture &indices : sampleIndexPictures(width, height, count, 256)) {
        pictures.emplace_back();
        for (std::uint8_t index : indices)
            pictures.back().push_back(0xFF000000u | palette[index]);
    }
    return pictures;
}

std::vector<std::uint8_t> packIndexRows(const IndexPicture &picture, int width, int height, int bits, bool topDown)
{
    std::size_t stride = 0;
    std::vector<std::uint8_t> rows = blankRows(width, height, bits, stride);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *out = rows.data() + (topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t value = picture[static_cast<std::size_t>(y) * width + x];
            if (bits == 8)
                out[x] = value;
            else
                out[x / 2] |= x % 2 != 0 ? value : value << 4;
        }
    }
    return rows;
}

std::vector<std::uint8_t> packColourRows(const ColourPicture &picture, int width, int height, int bits, bool topDown,
                                         std::uint8_t fourthByte)
{
    std::size_t stride = 0;
    std::vector<std::uint8_t> rows = blankRows(width, height, bits, stride);
    for (int y = 0; y < height; ++y) {
        std::uint8_t *out = rows.data() + (topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x, out += bits / 8) {
            const std::uint32_t c = picture[static_cast<std::size_t>(y) * width + x];
            const std::uint32_t rgb555 = (c >> 9 & 0x7C00) | (c >> 6 & 0x3E0) | (c >> 3 & 0x1F);
            const std::uint32_t value = bits == 16 ? rgb555 : (c & 0xFFFFFF) | static_cast<std::uint32_t>(fourthByte) << 24;
            for (int i = 0; i < bits / 8; ++i)
                out[i] = static_cast<std::uint8_t>(value >> 8 * i);
        }
    }
    return rows;
}
