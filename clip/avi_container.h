#pragma once

// The RIFF layer of an AVI file: headers of the first video stream and its
// frame chunks in file order. Every span points into the caller's bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace clip::avi {

constexpr std::uint32_t fourcc(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0]))
           | static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8
           | static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16
           | static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// The four characters of a code, '?' for any that cannot be printed.
std::string fourccText(std::uint32_t code);

// The stream's BITMAPINFOHEADER and palette.
struct BitmapFormat {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: rows stored top-down
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::array<std::uint32_t, 256> palette{};  // 0xFFRRGGBB; entries the file lacks are black
};

struct AviLayout {
    std::uint32_t microsecondsPerFrame = 0;  // main header (the reader falls back on the stream rate)
    std::uint32_t streamScale = 0;           // stream header: rate / scale frames per second
    std::uint32_t streamRate = 0;
    BitmapFormat format;
    std::vector<std::span<const std::uint8_t>> frames;
};

struct LayoutResult {
    std::optional<AviLayout> layout;
    std::string error;
};

LayoutResult parseAviLayout(std::span<const std::uint8_t> bytes);

}  // namespace clip::avi
