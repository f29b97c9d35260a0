#pragma once

// Reads small AVI clips as an animation control plays them: one video
// stream, uncompressed (8-bit paletted, 16-bit RGB555, 24 and 32 bits) or
// RLE8. RLE4 and palette changes are refused. No Qt here, so the reader can
// be fuzzed on its own.

#include "clip/avi_container.h"

#include <optional>
#include <span>
#include <string>

namespace clip {

// Either a clip checked for playing, its frames still encoded in the bytes
// read and its microseconds per frame set, or the one-line reason it cannot
// be played.
struct AviReadResult {
    std::optional<avi::AviLayout> clip;
    std::string error;
};

AviReadResult readAvi(std::span<const std::uint8_t> bytes);

}  // namespace clip
