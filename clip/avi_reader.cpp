#include "clip/avi_reader.h"

#include "clip/avi_container.h"
#include "clip/frame_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <system_error>
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

std::string checkSize(const BitmapFormat &format, std::size_t frameCount)
{
    const std::int64_t width = format.width;
    const std::int64_t height = std::llabs(std::int64_t{format.height});
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (width <= 0 || height == 0)
        return "corrupt file: picture of " + size;
    if (width > kMaxClipSide || height > kMaxClipSide)
        return "picture of " + size + " is larger than " + std::to_string(kMaxClipSide) + " x "
            + std::to_string(kMaxClipSide);
    const std::uint64_t frameBytes = static_cast<std::uint64_t>(width * height) * 4;
    if (frameBytes * frameCount > kMaxDecodedClipBytes)
        return std::to_string(frameCount) + " frames of " + size + " need more than "
            + std::to_string(kMaxDecodedClipBytes >> 20) + " MiB";
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

// Checks what the layout asks for, then decodes its frameCount frames, whose
// bytes chunk(i) gives (nothing when they can no longer be read).
template <typename ChunkSource>
AviReadResult decodeLayout(const avi::AviLayout &layout, std::size_t frameCount, ChunkSource chunk)
{
    const BitmapFormat &format = layout.format;
    if (std::string error = checkEncoding(format); !error.empty())
        return failure(std::move(error));
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
    avi::FrameDecoder decoder(format);
    for (std::size_t index = 0; index < frameCount; ++index) {
        const std::string frame = "frame " + std::to_string(index + 1);
        const std::optional<std::span<const std::uint8_t>> bytes = chunk(index);
        if (!bytes)
            return failure("the file changed while it was read: " + frame + " is gone");
        std::vector<std::uint32_t> picture;
        if (std::string error = decoder.decode(*bytes, picture); !error.empty())
            return failure("corrupt file: " + frame + " " + error);
        clip.frames.push_back(std::move(picture));
    }
    return {std::move(clip), {}};
}

} // namespace

AviReadResult readAvi(std::span<const std::uint8_t> bytes)
{
    const avi::LayoutResult parsed = avi::parseAviLayout(bytes);
    if (!parsed.layout)
        return failure(parsed.error);
    const avi::AviLayout &layout = *parsed.layout;
    return decodeLayout(layout, layout.frames.size(), [&layout](std::size_t index) {
        return std::optional<std::span<const std::uint8_t>>(layout.frames[index]);
    });
}

AviReadResult readAviFile(const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return failure("file not found");
    if (error)
        return failure(error.message());
    if (status.type() == fs::file_type::directory)
        return failure("is a directory");
    if (status.type() != fs::file_type::regular)
        return failure("not a regular file");
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return failure(error.message());
    if (size > kMaxClipFileBytes)
        return failure("file larger than the limit of " + std::to_string(kMaxClipFileBytes >> 20) + " MiB");

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failure("cannot open the file");
    // A file that changes while it is read is read at its measured size:
    // the end of a grown one is left out, a shrunk one ends in zeros.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const avi::LayoutResult parsed = avi::parseAviLayout(bytes);
    if (!parsed.layout)
        return failure(parsed.error);

    // The frames are read again one at a time, so that the whole file and
    // the decoded clip are never in memory together.
    std::vector<std::pair<std::size_t, std::size_t>> places;
    for (const std::span<const std::uint8_t> frame : parsed.layout->frames)
        places.emplace_back(static_cast<std::size_t>(frame.data() - bytes.data()), frame.size());
    std::vector<std::uint8_t>().swap(bytes);
    std::vector<std::uint8_t> chunk;
    return decodeLayout(*parsed.layout, places.size(),
                        [&](std::size_t index) -> std::optional<std::span<const std::uint8_t>> {
                            const auto [offset, length] = places[index];
                            chunk.resize(length);
                            in.clear();
                            if (!in.seekg(static_cast<std::streamoff>(offset))
                                || !in.read(reinterpret_cast<char *>(chunk.data()), static_cast<std::streamsize>(length)))
                                return std::nullopt;
                            return std::span<const std::uint8_t>(chunk);
                        });
}

} // namespace clip
