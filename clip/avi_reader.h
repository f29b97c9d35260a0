#pragma once

// Reads small AVI clips as an animation control plays them: one video
// stream, uncompressed (8-bit paletted, 16-bit RGB555, 24 and 32 bits) or
// RLE8. RLE4 and palette changes are refused. No Qt here, so the reader can
// be fuzzed on its own.

#include "clip/avi_container.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace clip {

// A clip checked for playing: its frames are still encoded, in the bytes
// it was read from.
struct AviClip
{
    int width = 0;
    int height = 0;
    std::uint32_t microsecondsPerFrame = 0;
    avi::BitmapFormat format;
    std::vector<std::span<const std::uint8_t>> frames;
};

// Either a clip or, when the data cannot be played, a one-line reason.
struct AviReadResult
{
    std::optional<AviClip> clip;
    std::string error;
};

AviReadResult readAvi(std::span<const std::uint8_t> bytes);

} // namespace clip
