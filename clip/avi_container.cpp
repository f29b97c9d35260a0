#include "clip/avi_container.h"

#include "clip/byte_reader.h"
#include "clip/clip_limits.h"

#include <algorithm>

namespace clip::avi {

namespace {

struct Chunk {
    std::uint32_t id = 0;
    std::span<const std::uint8_t> data;
};

// Walks the chunks of one list. A chunk that claims more bytes than its list
// holds stops the walk with an error; a few stray bytes at the end do not.
class ChunkWalker
{
public:
    explicit ChunkWalker(std::span<const std::uint8_t> area) : area_(area) {}

    std::optional<Chunk> next()
    {
        if (area_.size() - pos_ < 8)
            return std::nullopt;
        Chunk chunk;
        chunk.id = readU32(area_, pos_);
        const std::uint32_t size = readU32(area_, pos_ + 4);
        pos_ += 8;
        if (size > area_.size() - pos_) {
            error_ = "corrupt file: chunk '" + fourccText(chunk.id) + "' runs past its list";
            pos_ = area_.size();
            return std::nullopt;
        }
        chunk.data = area_.subspan(pos_, size);
        pos_ += size + size % 2;  // chunks are padded to an even length
        pos_ = std::min(pos_, area_.size());
        return chunk;
    }

    // Goes on with the chunks inside the list just returned, as if they
    // stood in this one: lists in the movie data only group frames.
    void enter(const Chunk &list) { pos_ = static_cast<std::size_t>(list.data.data() - area_.data()) + 4; }

    const std::string &error() const { return error_; }

private:
    std::span<const std::uint8_t> area_;
    std::size_t pos_ = 0;
    std::string error_;
};

bool isList(const Chunk &chunk, std::uint32_t type)
{
    return chunk.id == fourcc("LIST") && chunk.data.size() >= 4 && readU32(chunk.data, 0) == type;
}

std::span<const std::uint8_t> listBody(const Chunk &chunk) { return chunk.data.subspan(4); }

// Short headers read as zeros past their end, and a missing field is then
// caught where it matters (no frame rate, no picture size).
class LayoutParser
{
public:
    LayoutResult parse(std::span<const std::uint8_t> bytes)
    {
        if (bytes.empty())
            return fail("empty file");
        const std::uint32_t riffSize = readU32(bytes, 4);
        if (readU32(bytes, 0) != fourcc("RIFF") || readU32(bytes, 8) != fourcc("AVI ") || riffSize < 4)
            return fail("not an AVI file");
        if (riffSize > bytes.size() - 8)
            return fail("truncated file: " + std::to_string(bytes.size()) + " bytes where the header announces "
                        + std::to_string(std::uint64_t{riffSize} + 8));

        ChunkWalker walker(bytes.subspan(12, riffSize - 4));
        std::optional<std::span<const std::uint8_t>> movie;
        while (const auto chunk = walker.next()) {
            if (isList(*chunk, fourcc("hdrl")))
                readHeaders(listBody(*chunk));
            else if (isList(*chunk, fourcc("movi")) && !movie)
                movie = listBody(*chunk);
        }
        setError(walker.error());
        if (!videoStreamSeen_)
            setError("no video stream");
        if (movie && error_.empty())
            readMovie(*movie);
        if (layout_.frames.empty())
            setError("no frames");
        if (!error_.empty())
            return fail(error_);
        return {std::move(layout_), {}};
    }

private:
    static LayoutResult fail(std::string reason) { return {std::nullopt, std::move(reason)}; }

    // The first error found is the one reported.
    void setError(const std::string &reason)
    {
        if (error_.empty())
            error_ = reason;
    }

    void readHeaders(std::span<const std::uint8_t> body)
    {
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            if (chunk->id == fourcc("avih"))
                layout_.microsecondsPerFrame = readU32(chunk->data, 0);
            else if (isList(*chunk, fourcc("strl")) && !videoStreamSeen_)
                readStream(listBody(*chunk));
        }
        setError(walker.error());
    }

    // Streams before the first video stream only move its number on.
    void readStream(std::span<const std::uint8_t> body)
    {
        bool isVideo = false;
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            if (chunk->id == fourcc("strh")) {
                isVideo = readU32(chunk->data, 0) == fourcc("vids");
                layout_.streamScale = readU32(chunk->data, 20);
                layout_.streamRate = readU32(chunk->data, 24);
            } else if (chunk->id == fourcc("strf") && isVideo) {
                readBitmapFormat(chunk->data);
                videoStreamSeen_ = true;
            }
        }
        setError(walker.error());
        if (isVideo && !videoStreamSeen_)
            setError("corrupt file: video stream without a format");
        if (!videoStreamSeen_)
            ++videoStream_;
    }

    void readBitmapFormat(std::span<const std::uint8_t> data)
    {
        const std::uint32_t headerSize = readU32(data, 0);
        if (headerSize < 40 || headerSize > data.size())
            return setError("corrupt file: video format too short");
        ByteReader reader(data.subspan(4));
        BitmapFormat &format = layout_.format;
        format.width = reader.i32();
        format.height = reader.i32();
        reader.u16();  // planes
        format.bitCount = reader.u16();
        format.compression = reader.u32();
        // The palette is what follows the header, as far as it goes.
        ByteReader palette(data.subspan(headerSize));
        for (std::uint32_t &entry : format.palette) {
            const std::uint32_t blue = palette.u8(), green = palette.u8(), red = palette.u8();
            palette.u8();
            entry = 0xFF000000u | red << 16 | green << 8 | blue;
        }
    }

    void readMovie(std::span<const std::uint8_t> body)
    {
        // Chunks '##db' and '##dc' hold the frames of stream number ##.
        const std::uint32_t tens = '0' + videoStream_ / 10, units = '0' + videoStream_ % 10;
        const std::uint32_t stream = tens | units << 8;
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            // A list only groups chunks; its own tag names no stream.
            if (chunk->id == fourcc("LIST") && chunk->data.size() >= 4)
                walker.enter(*chunk);
            const std::uint32_t type = chunk->id >> 16;
            if ((chunk->id & 0xFFFF) != stream)
                continue;
            if (type == fourcc("00pc") >> 16)
                return setError("unsupported palette change in the clip");
            if (type != fourcc("00db") >> 16 && type != fourcc("00dc") >> 16)
                continue;
            // Stops a file of millions of tiny chunks before it costs memory.
            if (layout_.frames.size() >= kMaxClipFrames)
                return setError("too many frames (the limit is " + std::to_string(kMaxClipFrames) + ")");
            layout_.frames.push_back(chunk->data);
        }
        setError(walker.error());
    }

    AviLayout layout_;
    std::uint32_t videoStream_ = 0;
    bool videoStreamSeen_ = false;
    std::string error_;
};

}  // namespace

std::string fourccText(std::uint32_t code)
{
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

LayoutResult parseAviLayout(std::span<const std::uint8_t> bytes) { return LayoutParser().parse(bytes); }

}  // namespace clip::avi
