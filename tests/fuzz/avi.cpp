// The clip reader over any bytes, as a damaged or hostile numoria.avi could
// hold them. It must answer with either a clip within the size limits or a
// one-line reason, and every frame of a clip must decode to an opaque
// picture of its size, or be refused with a one-line reason.
#include "clip/avi_reader.h"
#include "clip/clip_limits.h"
#include "clip/frame_decoder.h"

#include <cstdio>
#include <cstdlib>

#define REQUIRE(condition, error)                                                                                      \
    if (!(condition)) {                                                                                                \
        std::fprintf(stderr, "avi fuzz: %s does not hold (error: \"%s\")\n", #condition, std::string(error).c_str());  \
        std::abort();                                                                                                  \
    }

// Two frames (an RLE frame builds on the one before), and more while they
// are small: enough to reach every decoder path without slowing the fuzzer.
constexpr std::size_t kMaxDecodedPixels = 1024 * 1024;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace clip;
    const AviReadResult result = readAvi(std::span<const std::uint8_t>(data, size));
    REQUIRE(result.clip.has_value() == result.error.empty(), result.error);
    if (!result.clip) {
        REQUIRE(result.error.find_first_of("\r\n") == std::string::npos, result.error);
        return 0;
    }
    const avi::AviLayout &clip = *result.clip;
    const int width = clip.format.width, height = std::abs(clip.format.height);
    REQUIRE(width >= 1 && width <= kMaxClipSide && height >= 1 && height <= kMaxClipSide, "");
    REQUIRE(clip.microsecondsPerFrame > 0, "");
    REQUIRE(!clip.frames.empty() && clip.frames.size() <= kMaxClipFrames, "");
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    avi::FrameDecoder decoder(clip.format);
    for (std::size_t frame = 0; frame < clip.frames.size(); ++frame) {
        if (frame >= 2 && frame * pixels >= kMaxDecodedPixels)
            break;
        const std::string error = decoder.decode(clip.frames[frame]);
        REQUIRE(error.find_first_of("\r\n") == std::string::npos, error);
        if (!error.empty())
            return 0;
        REQUIRE(decoder.picture().size() == pixels, "");
        // AVI video has no alpha: the fourth byte of 32-bit pixels is padding.
        for (std::uint32_t pixel : decoder.picture())
            REQUIRE(pixel >> 24 == 0xFF, "");
    }
    return 0;
}
