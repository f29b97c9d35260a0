#pragma once

// The RIFF layer of an AVI file: headers of the first video stream and its
// chunks in file order. Every span points into the caller's bytes.

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

// 'MJPG' for a printable code, else the number, e.g. "compression type 3".
std::string describeCompression(std::uint32_t code);

// The stream's BITMAPINFOHEADER and palette.
struct BitmapFormat
{
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> palette; // 0xFFRRGGBB, at most 256 entries
};

struct StreamChunk
{
    enum class Kind { Frame, PaletteChange };
    Kind kind = Kind::Frame;
    std::span<const std::uint8_t> data;
};

struct AviLayout
{
    std::uint32_t microsecondsPerFrame = 0; // main header
    std::uint32_t streamScale = 0;          // stream header: rate / scale frames per second
    std::uint32_t streamRate = 0;
    BitmapFormat format;
    std::vector<StreamChunk> chunks;
};

struct LayoutResult
{
    std::optional<AviLayout> layout;
    std::string error;
};

LayoutResult parseAviLayout(std::span<const std::uint8_t> bytes);

} // namespace clip::avi
