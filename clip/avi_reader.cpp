#include "clip/avi_reader.h"

#include "clip/clip_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace clip {

namespace {

using avi::BitmapFormat;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;

// What the stream's format asks for, or why it cannot be played.
std::string checkEncoding(const BitmapFormat &format)
{
    const std::string bits = std::to_string(format.bitCount) + " bits per pixel";
    switch (format.compression) {
    case kBiRgb:
        if (format.bitCount != 8 && format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32)
            return "unsupported uncompressed video with " + bits;
        return {};
    case kBiRle8:
    case avi::fourcc("mrle"):
        if (format.bitCount != 8)
            return "unsupported RLE video with " + bits;
        if (format.height < 0)
            return "corrupt file: RLE video stored top-down";
        return {};
    case kBiRle4:
        return "unsupported codec RLE4";
    default:
        // Small numbers are BI_ constants (3 is BI_BITFIELDS), others a code such as 'MJPG'.
        if (format.compression < 256)
            return "unsupported codec: compression type " + std::to_string(format.compression);
        return "unsupported codec '" + avi::fourccText(format.compression) + "'";
    }
}

std::string checkSize(const BitmapFormat &format)
{
    const std::int64_t width = format.width;
    const std::int64_t height = std::llabs(std::int64_t{format.height});
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width <= 0 || height == 0)
        return "corrupt file: picture of " + size;
    if (width > kMaxClipSide || height > kMaxClipSide)
        return "picture of " + size + " is larger than " + std::to_string(kMaxClipSide) + " x "
               + std::to_string(kMaxClipSide);
    return {};
}

// The main header gives microseconds per frame; without it, the stream's
// rate / scale gives frames per second.
std::optional<std::uint32_t> frameDuration(const avi::AviLayout &layout)
{
    if (layout.microsecondsPerFrame != 0)
        return layout.microsecondsPerFrame;
    if (layout.streamScale == 0 || layout.streamRate == 0)
        return std::nullopt;
    const double microseconds = 1e6 * layout.streamScale / layout.streamRate;
    const double limit = std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(std::clamp(std::round(microseconds), 1.0, limit));
}

AviReadResult failure(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

AviReadResult readAvi(std::span<const std::uint8_t> bytes)
{
    avi::LayoutResult parsed = avi::parseAviLayout(bytes);
    if (!parsed.layout)
        return failure(parsed.error);
    avi::AviLayout &layout = *parsed.layout;
    if (std::string error = checkEncoding(layout.format); !error.empty())
        return failure(std::move(error));
    if (std::string error = checkSize(layout.format); !error.empty())
        return failure(std::move(error));
    const std::optional<std::uint32_t> duration = frameDuration(layout);
    if (!duration)
        return failure("corrupt file: no frame rate");
    layout.microsecondsPerFrame = *duration;
    return {std::move(layout), {}};
}

}  // namespace clip
