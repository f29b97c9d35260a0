#pragma once

// Small clip files for the widget tests, each frame a different picture.

#include <QString>

#include <cstdint>
#include <vector>

// A 24-bit uncompressed clip: frame f shows sampleColourPictures' frame f.
// Its timing: microseconds per frame in the main header, and the stream's
// rate / scale frames a second.
std::vector<std::uint8_t> colourClip(int width, int height, int frames, std::uint32_t microsecondsPerFrame,
                                     std::uint32_t scale = 1, std::uint32_t rate = 10);

bool writeClipFile(const QString &path, const std::vector<std::uint8_t> &bytes);
