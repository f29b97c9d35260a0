#pragma once

// FFmpeg as the reference: it writes the uncompressed clips it can, and
// decodes every clip for comparison with our reader. Each run of ffmpeg
// costs a good fraction of a second just to start, so callers batch files.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Empty when CMake found no ffmpeg.
QString ffmpegProgram();

// Runs ffmpeg quietly with these arguments; returns its error output on failure.
QString runFfmpeg(const QStringList &arguments);

// Decodes every file, in one run, to `file + ".bgra"`: every frame, none
// dropped or repeated, as bytes B, G, R, A.
QString decodeWithFfmpeg(const QStringList &files);

// What decodeWithFfmpeg wrote for `file`: frames of 0xAARRGGBB pixels, rows
// top-down; none when the output is missing or not whole frames of this size.
std::vector<std::vector<std::uint32_t>> readFfmpegFrames(const QString &file, int width, int height);
