#pragma once

// What a clip may ask for. Clips are decorations: a file beyond these is
// refused with its reason before any picture memory is taken.

#include <cstddef>
#include <cstdint>

namespace clip {

inline constexpr int kMaxClipSide = 1024;
inline constexpr std::size_t kMaxClipFrames = 65536;
inline constexpr std::uint64_t kMaxClipFileBytes = 64u * 1024 * 1024;

// The scaled pictures one opening may hold (a 41-pixel square takes 6.6 KB);
// a clip whose pictures would take more is decoded from the file frame by
// frame as each comes due.
inline constexpr std::size_t kMaxHeldPictureBytes = 8u * 1024 * 1024;
// Pixels decoded when a clip is opened, about a second of work: a longer
// clip is decoded as it plays, never all at once.
inline constexpr std::uint64_t kMaxPreparedPixels = 128u * 1024 * 1024;

// A clip asking for more than 100 frames a second is slowed down to that.
inline constexpr int kShortestFrameMs = 10;
// A 41-pixel decoration gains nothing from more than 25 pictures a second;
// faster clips keep their speed by skipping frames.
inline constexpr int kShortestTickMs = 40;

} // namespace clip
