#pragma once

// Reads small AVI clips as an animation control plays them: one video
// stream, uncompressed (8-bit paletted, 16-bit RGB555, 24 and 32 bits) or
// RLE8. RLE4 and palette changes are refused. No Qt here, so the reader can
// be fuzzed on its own.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace clip {

// Clips are decorations; anything beyond these is refused before any pixel
// memory is allocated.
inline constexpr int kMaxClipSide = 1024;
inline constexpr std::size_t kMaxClipFrames = 65536;
inline constexpr std::size_t kMaxDecodedClipBytes = 64u * 1024 * 1024;
inline constexpr std::uintmax_t kMaxClipFileBytes = 64u * 1024 * 1024;

struct AviClip
{
    int width = 0;
    int height = 0;
    std::uint32_t microsecondsPerFrame = 0;
    // Every frame as width * height pixels 0xAARRGGBB, rows top-down.
    std::vector<std::vector<std::uint32_t>> frames;
};

// Either a clip or, when the data cannot be played, a one-line reason.
struct AviReadResult
{
    std::optional<AviClip> clip;
    std::string error;
};

AviReadResult readAvi(std::span<const std::uint8_t> bytes);

// Reads a regular file of at most kMaxClipFileBytes and decodes it, reading
// the frames again one at a time so the file and the clip are not held together.
AviReadResult readAviFile(const std::filesystem::path &path);

} // namespace clip
