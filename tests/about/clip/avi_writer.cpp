#include "avi_writer.h"

#include <algorithm>
#include <cstdlib>

using Bytes = std::vector<std::uint8_t>;

namespace {

void append(Bytes &out, std::initializer_list<std::uint32_t> values, int size = 4)
{
    for (std::uint32_t value : values) {
        for (int i = 0; i < size; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> 8 * i));
    }
}

void append(Bytes &out, const std::string &text) { out.insert(out.end(), text.begin(), text.end()); }

void append(Bytes &out, const Bytes &bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

} // namespace

std::uint32_t fourccOf(const char (&text)[5])
{
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[i])) << 8 * i; };
    return byte(0) | byte(1) | byte(2) | byte(3);
}

Bytes riffChunk(const std::string &id, const Bytes &data)
{
    Bytes out;
    append(out, id);
    append(out, {static_cast<std::uint32_t>(data.size())});
    append(out, data);
    if (data.size() % 2 != 0)
        out.push_back(0);
    return out;
}

Bytes riffList(const std::string &kind, const std::string &type, Bytes body)
{
    body.insert(body.begin(), type.begin(), type.end());
    return riffChunk(kind, body);
}

Bytes writeAvi(const AviLayout &layout)
{
    std::uint32_t frames = 0;
    std::size_t largestChunk = 0;
    for (const AviChunk &chunk : layout.chunks) {
        frames += chunk.id.substr(2) == "dc" || chunk.id.substr(2) == "db";
        largestChunk = std::max(largestChunk, chunk.data.size());
    }
    const auto largest = static_cast<std::uint32_t>(largestChunk);
    const auto width = static_cast<std::uint32_t>(layout.width);
    const auto height = static_cast<std::uint32_t>(std::llabs(std::int64_t{layout.height}));

    Bytes avih;
    append(avih, {layout.microsecondsPerFrame, 0, 0, 0x10, frames, 0, 1, largest, width, height, 0, 0, 0, 0});
    Bytes strh;
    append(strh, "vids");
    append(strh, {layout.handler, 0, 0, 0, layout.scale, layout.rate, 0, frames, largest, 0xFFFFFFFF, 0, 0});
    append(strh, {width, height}, 2);
    Bytes strf;
    append(strf, {40, width, static_cast<std::uint32_t>(layout.height)});
    append(strf, {1, static_cast<std::uint32_t>(layout.bitCount)}, 2);
    append(strf, {layout.compression, largest, 0, 0, static_cast<std::uint32_t>(layout.palette.size()), 0});
    for (std::uint32_t colour : layout.palette)
        append(strf, {colour & 0xFFFFFF}); // B, G, R, 0 in file order

    Bytes strl = riffChunk("strh", strh);
    append(strl, riffChunk("strf", strf));
    Bytes hdrl = riffChunk("avih", avih);
    append(hdrl, riffList("LIST", "strl", strl));
    Bytes movi;
    Bytes index;
    for (const AviChunk &chunk : layout.chunks) {
        append(index, chunk.id);
        append(index, {&chunk == &layout.chunks.front() ? 0x10u : 0u, static_cast<std::uint32_t>(movi.size() + 4),
                       static_cast<std::uint32_t>(chunk.data.size())});
        append(movi, riffChunk(chunk.id, chunk.data));
    }
    Bytes body = riffList("LIST", "hdrl", hdrl);
    append(body, riffList("LIST", "movi", movi));
    append(body, riffChunk("idx1", index));
    return riffList("RIFF", "AVI ", body);
}
