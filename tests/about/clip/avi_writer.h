#pragma once

// Writes small AVI files for the tests: one video stream, any bitmap header,
// and stream chunks in the given order, with an idx1 index as FFmpeg expects.

#include <cstdint>
#include <string>
#include <vector>

struct AviChunk
{
    std::string id; // "00dc", "00db", "00pc", "01wb" ...
    std::vector<std::uint8_t> data;
};

struct AviLayout
{
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: top-down rows
    int bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t handler = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::uint32_t microsecondsPerFrame = 100000;
    std::uint32_t scale = 1;
    std::uint32_t rate = 10;
    std::vector<AviChunk> chunks;
};

std::vector<std::uint8_t> writeAvi(const AviLayout &layout);

// Pieces for building other files by hand.
std::vector<std::uint8_t> riffChunk(const std::string &id, const std::vector<std::uint8_t> &data);
std::vector<std::uint8_t> riffList(const std::string &kind, const std::string &type, std::vector<std::uint8_t> body);
std::uint32_t fourccOf(const char (&text)[5]);
