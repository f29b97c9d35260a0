// The clip reader over any bytes, as a damaged or hostile numoria.avi could
// hold them. It must answer with either a clip that can be played as it is or
// a one-line reason, and a clip must keep within the size limits.
#include "clip/avi_reader.h"

#include <cstdio>
#include <cstdlib>

namespace {

void require(bool holds, const char *what, const clip::AviReadResult &result)
{
    if (holds)
        return;
    std::fprintf(stderr, "avi fuzz: %s (clip: %s, error: \"%s\")\n", what, result.clip ? "yes" : "no",
                 result.error.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace clip;
    const AviReadResult result = readAvi(std::span<const std::uint8_t>(data, size));
    require(result.clip.has_value() == result.error.empty(), "not exactly one of a clip and a reason", result);
    if (!result.clip) {
        require(result.error.find_first_of("\r\n") == std::string::npos, "a reason of more than one line", result);
        return 0;
    }
    const AviClip &clip = *result.clip;
    require(clip.width >= 1 && clip.width <= kMaxClipSide && clip.height >= 1 && clip.height <= kMaxClipSide,
            "a picture size out of bounds", result);
    require(clip.microsecondsPerFrame > 0, "no frame duration", result);
    require(!clip.frames.empty() && clip.frames.size() <= kMaxClipFrames, "a frame count out of bounds", result);
    const std::size_t pixels = static_cast<std::size_t>(clip.width) * static_cast<std::size_t>(clip.height);
    require(clip.frames.size() * pixels * 4 <= kMaxDecodedClipBytes, "more pixel memory than the limit", result);
    for (const std::vector<std::uint32_t> &frame : clip.frames) {
        require(frame.size() == pixels, "a frame that is not width x height pixels", result);
        // AVI video has no alpha: the fourth byte of 32-bit pixels is padding.
        for (std::uint32_t pixel : frame)
            require(pixel >> 24 == 0xFF, "a pixel that is not opaque", result);
    }
    return 0;
}
