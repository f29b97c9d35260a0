#include "avi_writer.h"

#include <algorithm>
#include <cstdlib>

void appendU16(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    appendU16(out, value & 0xFFFF);
    appendU16(out, value >> 16);
}

static void appendText(std::vector<std::uint8_t> &out, const std::string &fourcc)
{
    out.insert(out.end(), fourcc.begin(), fourcc.end());
}

std::uint32_t fourccOf(const char (&text)[5])
{
    return static_cast<std::uint8_t>(text[0]) | static_cast<std::uint8_t>(text[1]) << 8
        | static_cast<std::uint8_t>(text[2]) << 16 | static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24;
}

std::vector<std::uint8_t> riffChunk(const std::string &id, const std::vector<std::uint8_t> &data)
{
    std::vector<std::uint8_t> out;
    appendText(out, id);
    appendU32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        out.push_back(0);
    return out;
}

std::vector<std::uint8_t> riffList(const std::string &kind, const std::string &type,
                                   const std::vector<std::uint8_t> &body)
{
    std::vector<std::uint8_t> out;
    appendText(out, kind);
    appendU32(out, static_cast<std::uint32_t>(body.size() + 4));
    appendText(out, type);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> writeAvi(const AviLayout &layout)
{
    std::size_t frames = 0;
    std::size_t largest = 0;
    for (const AviChunk &chunk : layout.chunks) {
        if (chunk.id.substr(2) == "dc" || chunk.id.substr(2) == "db")
            ++frames;
        largest = std::max(largest, chunk.data.size());
    }
    const auto height = static_cast<std::uint32_t>(std::llabs(std::int64_t{layout.height}));

    std::vector<std::uint8_t> avih;
    for (std::uint32_t value : {layout.microsecondsPerFrame, 0u, 0u, 0x10u, static_cast<std::uint32_t>(frames), 0u, 1u,
                                static_cast<std::uint32_t>(largest), static_cast<std::uint32_t>(layout.width), height,
                                0u, 0u, 0u, 0u})
        appendU32(avih, value);

    std::vector<std::uint8_t> strh;
    appendText(strh, "vids");
    appendU32(strh, layout.handler);
    for (std::uint32_t value : {0u, 0u, 0u, layout.scale, layout.rate, 0u, static_cast<std::uint32_t>(frames),
                                static_cast<std::uint32_t>(largest), 0xFFFFFFFFu, 0u})
        appendU32(strh, value);
    appendU32(strh, 0);
    appendU16(strh, static_cast<std::uint32_t>(layout.width));
    appendU16(strh, height);

    std::vector<std::uint8_t> strf;
    appendU32(strf, 40);
    appendU32(strf, static_cast<std::uint32_t>(layout.width));
    appendU32(strf, static_cast<std::uint32_t>(layout.height));
    appendU16(strf, 1);
    appendU16(strf, static_cast<std::uint32_t>(layout.bitCount));
    appendU32(strf, layout.compression);
    for (std::uint32_t value : {static_cast<std::uint32_t>(largest), 0u, 0u,
                                static_cast<std::uint32_t>(layout.palette.size()), 0u})
        appendU32(strf, value);
    for (std::uint32_t colour : layout.palette)
        appendU32(strf, colour & 0xFFFFFF); // B, G, R, 0 in file order

    std::vector<std::uint8_t> strl = riffChunk("strh", strh);
    const auto format = riffChunk("strf", strf);
    strl.insert(strl.end(), format.begin(), format.end());
    std::vector<std::uint8_t> hdrl = riffChunk("avih", avih);
    const auto stream = riffList("LIST", "strl", strl);
    hdrl.insert(hdrl.end(), stream.begin(), stream.end());

    std::vector<std::uint8_t> movi;
    std::vector<std::uint8_t> index;
    for (const AviChunk &chunk : layout.chunks) {
        appendText(index, chunk.id);
        appendU32(index, &chunk == &layout.chunks.front() ? 0x10 : 0);
        appendU32(index, static_cast<std::uint32_t>(movi.size() + 4));
        appendU32(index, static_cast<std::uint32_t>(chunk.data.size()));
        const auto bytes = riffChunk(chunk.id, chunk.data);
        movi.insert(movi.end(), bytes.begin(), bytes.end());
    }

    std::vector<std::uint8_t> body = riffList("LIST", "hdrl", hdrl);
    const auto movie = riffList("LIST", "movi", movi);
    body.insert(body.end(), movie.begin(), movie.end());
    const auto idx1 = riffChunk("idx1", index);
    body.insert(body.end(), idx1.begin(), idx1.end());
    return riffList("RIFF", "AVI ", body);
}
