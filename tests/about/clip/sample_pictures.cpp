#include "sample_pictures.h"

namespace {

// A small fixed pseudo-random sequence, the same on every machine.
std::uint32_t scramble(std::uint32_t value)
{
    value ^= value >> 16;
    value *= 0x7feb352dU;
    value ^= value >> 15;
    value *= 0x846ca68bU;
    value ^= value >> 16;
    return value;
}

std::size_t rowStride(int width, int bits) { return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4; }

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
        IndexPicture picture(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int value = (x / 6 + y / 5) % colours; // still blocks: runs
                if (y == 2 || y == height - 2)          // noisy rows: literals
                    value = static_cast<int>(scramble(static_cast<std::uint32_t>(x * 31 + y)) % colours);
                const int left = (frame * 5) % width;   // a moving square
                if (x >= left && x < left + 7 && y >= 6 && y < 13)
                    value = (frame * 3 + x - left) % colours;
                if (frame == count - 1 && frame > 1)    // the last frame repeats the one before
                    value = pictures.back()[static_cast<std::size_t>(y) * width + x];
                picture[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(value);
            }
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::vector<ColourPicture> sampleColourPictures(int width, int height, int count)
{
    std::vector<ColourPicture> pictures;
    for (int frame = 0; frame < count; ++frame) {
        ColourPicture picture(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint32_t colour = static_cast<std::uint32_t>(x * 255 / width) << 16
                    | static_cast<std::uint32_t>(y * 255 / height) << 8 | static_cast<std::uint32_t>(frame * 40);
                const int left = (frame * 4) % width;
                if (x >= left && x < left + 5 && y >= 3 && y < 9)
                    colour = scramble(static_cast<std::uint32_t>(x + 100 * y + 1000 * frame)) & 0xFFFFFF;
                picture[static_cast<std::size_t>(y) * width + x] = 0xFF000000u | colour;
            }
        }
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

std::vector<std::uint8_t> packIndexRows(const IndexPicture &picture, int width, int height, int bits, bool topDown)
{
    const std::size_t stride = rowStride(width, bits);
    std::vector<std::uint8_t> rows(stride * height);
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t value = picture[static_cast<std::size_t>(y) * width + x];
            std::uint8_t &out = rows[stored * stride + (bits == 8 ? x : x / 2)];
            out = bits == 8 ? value : static_cast<std::uint8_t>(out | (x % 2 == 0 ? value << 4 : value));
        }
    }
    return rows;
}

std::vector<std::uint8_t> packColourRows(const ColourPicture &picture, int width, int height, int bits, bool topDown,
                                         std::uint8_t fourthByte)
{
    const std::size_t stride = rowStride(width, bits);
    std::vector<std::uint8_t> rows(stride * height);
    for (int stored = 0; stored < height; ++stored) {
        const int y = topDown ? stored : height - 1 - stored;
        std::uint8_t *out = rows.data() + stored * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = picture[static_cast<std::size_t>(y) * width + x];
            const std::uint8_t red = (c >> 16) & 0xFF, green = (c >> 8) & 0xFF, blue = c & 0xFF;
            if (bits == 16) {
                const std::uint32_t v = (red >> 3) << 10 | (green >> 3) << 5 | (blue >> 3);
                out[2 * x] = static_cast<std::uint8_t>(v);
                out[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                const int size = bits / 8;
                out[size * x] = blue;
                out[size * x + 1] = green;
                out[size * x + 2] = red;
                if (bits == 32)
                    out[size * x + 3] = fourthByte;
            }
        }
    }
    return rows;
}
