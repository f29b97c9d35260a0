// The clip reader over any bytes, as a damaged or hostile numoria.avi could
// hold them. It must answer with either a clip that can be played as it is or
// a one-line reason, and a clip must keep within the size limits.
#include "clip/avi_reader.h"

#include <cstdio>
#include <cstdlib>

#define REQUIRE(condition)                                                                                             \
    if (!(condition)) {                                                                                                \
        std::fprintf(stderr, "avi fuzz: %s does not hold (error: \"%s\")\n", #condition, result.error.c_str());        \
        std::abort();                                                                                                  \
    }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace clip;
    const AviReadResult result = readAvi(std::span<const std::uint8_t>(data, size));
    REQUIRE(result.clip.has_value() == result.error.empty());
    if (!result.clip) {
        REQUIRE(result.error.find_first_of("\r\n") == std::string::npos);
        return 0;
    }
    const AviClip &clip = *result.clip;
    REQUIRE(clip.width >= 1 && clip.width <= kMaxClipSide && clip.height >= 1 && clip.height <= kMaxClipSide);
    REQUIRE(clip.microsecondsPerFrame > 0);
    REQUIRE(!clip.frames.empty() && clip.frames.size() <= kMaxClipFrames);
    const std::size_t pixels = std::size_t(clip.width) * std::size_t(clip.height);
    REQUIRE(clip.frames.size() * pixels * 4 <= kMaxDecodedClipBytes);
    for (const std::vector<std::uint32_t> &frame : clip.frames) {
        REQUIRE(frame.size() == pixels);
        // AVI video has no alpha: the fourth byte of 32-bit pixels is padding.
        for (std::uint32_t pixel : frame)
            REQUIRE(pixel >> 24 == 0xFF);
    }
    return 0;
}
