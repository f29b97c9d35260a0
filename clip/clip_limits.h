#pragma once

// What a clip may ask for. Clips are decorations: a file beyond the first
// three is refused with its reason before any picture memory is taken.

#include <cstddef>
#include <cstdint>

namespace clip {

inline constexpr int kMaxClipSide = 1024;
inline constexpr std::size_t kMaxClipFrames = 65536;
inline constexpr std::uint64_t kMaxClipFileBytes = 64u * 1024 * 1024;
// A clip whose scaled pictures would take more than this (a 41-pixel
// picture takes 6.6 KB), or that takes more pixels than the second (about a
// second of work) to decode, is decoded from the file frame by frame as
// each comes due, not all when it is opened.
inline constexpr std::size_t kMaxHeldPictureBytes = 8u * 1024 * 1024;
inline constexpr std::uint64_t kMaxPreparedPixels = 128u * 1024 * 1024;
// More than 100 frames a second are slowed down to that; more than 25
// pictures a second keep their speed by skipping frames.
inline constexpr int kShortestFrameMs = 10;
inline constexpr int kShortestTickMs = 40;

}  // namespace clip
