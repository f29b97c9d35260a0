#include "clip/avi_reader.h"

#include "clip/avi_container.h"
#include "clip/frame_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace clip {

namespace {

using avi::BitmapFormat;
using avi::FrameEncoding;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;

struct EncodingChoice
{
    std::optional<FrameEncoding> encoding;
    std::string error;
};

EncodingChoice chooseEncoding(const BitmapFormat &format)
{
    const auto expectBits = [&](FrameEncoding encoding, int bits, const char *name) -> EncodingChoice {
        if (format.bitCount != bits)
            return {std::nullopt, std::string("corrupt file: ") + name + " video with "
                        + std::to_string(format.bitCount) + " bits per pixel"};
        return {encoding, {}};
    };
    switch (format.compression) {
    case kBiRgb:
        if (format.bitCount != 8 && format.bitCount != 16 && format.bitCount != 24 && format.bitCount != 32)
            return {std::nullopt, "unsupported bit depth " + std::to_string(format.bitCount)
                        + " for uncompressed video"};
        return {FrameEncoding::Raw, {}};
    case kBiRle8:
        return expectBits(FrameEncoding::Rle8, 8, "RLE8");
    case kBiRle4:
        return expectBits(FrameEncoding::Rle4, 4, "RLE4");
    case avi::fourcc("mrle"):
        if (format.bitCount == 4)
            return {FrameEncoding::Rle4, {}};
        return expectBits(FrameEncoding::Rle8, 8, "RLE");
    default:
        return {std::nullopt, "unsupported codec " + avi::describeCompression(format.compression)};
    }
}

std::string checkSize(const BitmapFormat &format, std::size_t frameCount)
{
    const std::int64_t width = format.width;
    const std::int64_t height = std::llabs(std::int64_t{format.height});
    if (width <= 0 || height == 0)
        return "corrupt file: picture of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width > kMaxClipSide || height > kMaxClipSide)
        return "picture of " + std::to_string(width) + " x " + std::to_string(height)
            + " pixels is larger than the limit of " + std::to_string(kMaxClipSide) + " x "
            + std::to_string(kMaxClipSide);
    const std::uint64_t frameBytes = static_cast<std::uint64_t>(width * height) * 4;
    if (frameBytes * frameCount > kMaxDecodedClipBytes)
        return std::to_string(frameCount) + " frames of " + std::to_string(width) + " x " + std::to_string(height)
            + " pixels need more than the limit of " + std::to_string(kMaxDecodedClipBytes >> 20) + " MiB";
    return {};
}

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

} // namespace

AviReadResult readAvi(std::span<const std::uint8_t> bytes)
{
    avi::LayoutResult parsed = avi::parseAviLayout(bytes);
    if (!parsed.layout)
        return failure(std::move(parsed.error));
    const avi::AviLayout &layout = *parsed.layout;
    const BitmapFormat &format = layout.format;

    const EncodingChoice choice = chooseEncoding(format);
    if (!choice.encoding)
        return failure(choice.error);
    if (*choice.encoding != FrameEncoding::Raw && format.height < 0)
        return failure("corrupt file: RLE video stored top-down");

    std::size_t frameCount = 0;
    for (const avi::StreamChunk &chunk : layout.chunks)
        frameCount += chunk.kind == avi::StreamChunk::Kind::Frame ? 1 : 0;
    if (std::string error = checkSize(format, frameCount); !error.empty())
        return failure(std::move(error));

    const std::optional<std::uint32_t> duration = frameDuration(layout);
    if (!duration)
        return failure("corrupt file: no frame rate");

    AviClip clip;
    clip.width = format.width;
    clip.height = std::abs(format.height);
    clip.microsecondsPerFrame = *duration;
    clip.frames.reserve(frameCount);
    avi::FrameDecoder decoder(format, *choice.encoding);
    for (const avi::StreamChunk &chunk : layout.chunks) {
        if (chunk.kind == avi::StreamChunk::Kind::PaletteChange) {
            decoder.changePalette(chunk.data);
            continue;
        }
        std::vector<std::uint32_t> picture;
        if (std::string error = decoder.decode(chunk.data, picture); !error.empty())
            return failure("corrupt file: frame " + std::to_string(clip.frames.size() + 1) + " " + error);
        clip.frames.push_back(std::move(picture));
    }
    return {std::move(clip), {}};
}

} // namespace clip
