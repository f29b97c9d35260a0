#include "clip/avi_container.h"

#include "clip/avi_reader.h"
#include "clip/byte_reader.h"

#include <algorithm>

namespace clip::avi {

namespace {

// Movie lists may nest 'rec ' lists; deeper nesting is not AVI.
constexpr int kMaxListDepth = 4;
constexpr int kMaxPaletteEntries = 256;

struct Chunk
{
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
            error_ = "chunk '" + printable(chunk.id) + "' runs past the end of its list";
            pos_ = area_.size();
            return std::nullopt;
        }
        chunk.data = area_.subspan(pos_, size);
        pos_ += size;
        if (size % 2 != 0 && pos_ < area_.size())
            ++pos_; // chunks are padded to an even length
        return chunk;
    }

    const std::string &error() const { return error_; }

private:
    static std::string printable(std::uint32_t id)
    {
        std::string text;
        for (int shift = 0; shift < 32; shift += 8) {
            const char c = static_cast<char>((id >> shift) & 0xFF);
            text += (c >= 0x20 && c < 0x7F) ? c : '?';
        }
        return text;
    }

    std::span<const std::uint8_t> area_;
    std::size_t pos_ = 0;
    std::string error_;
};

bool isList(const Chunk &chunk, std::uint32_t type)
{
    return chunk.id == fourcc("LIST") && chunk.data.size() >= 4 && readU32(chunk.data, 0) == type;
}

std::span<const std::uint8_t> listBody(const Chunk &chunk) { return chunk.data.subspan(4); }

int digit(std::uint32_t c) { return (c >= '0' && c <= '9') ? static_cast<int>(c - '0') : -1; }

class LayoutParser
{
public:
    LayoutResult parse(std::span<const std::uint8_t> bytes)
    {
        if (bytes.empty())
            return fail("empty file");
        if (bytes.size() < 12 || readU32(bytes, 0) != fourcc("RIFF") || readU32(bytes, 8) != fourcc("AVI "))
            return fail("not an AVI file");
        const std::uint32_t riffSize = readU32(bytes, 4);
        if (riffSize < 4)
            return fail("not an AVI file");
        if (riffSize > bytes.size() - 8)
            return fail("truncated file: " + std::to_string(bytes.size()) + " bytes where the header announces "
                        + std::to_string(std::uint64_t{riffSize} + 8));

        ChunkWalker walker(bytes.subspan(12, riffSize - 4));
        while (const auto chunk = walker.next()) {
            if (isList(*chunk, fourcc("hdrl"))) {
                if (!readHeaders(listBody(*chunk)))
                    return fail(error_);
            } else if (isList(*chunk, fourcc("movi")) && !movieSeen_) {
                movieSeen_ = true;
                if (videoStream_ < 0)
                    return fail(mainHeaderSeen_ ? "no video stream" : "corrupt file: movie data before the headers");
                if (!readMovie(listBody(*chunk), 0))
                    return fail(error_);
            }
        }
        if (!walker.error().empty())
            return fail("corrupt file: " + walker.error());
        if (!mainHeaderSeen_)
            return fail("corrupt file: no AVI main header");
        if (videoStream_ < 0)
            return fail("no video stream");

        if (frameCount_ == 0)
            return fail("no frames");
        return {std::move(layout_), {}};
    }

private:
    LayoutResult fail(std::string reason) { return {std::nullopt, std::move(reason)}; }

    bool setError(std::string reason)
    {
        error_ = std::move(reason);
        return false;
    }

    bool readHeaders(std::span<const std::uint8_t> body)
    {
        int streamIndex = 0;
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            if (chunk->id == fourcc("avih")) {
                if (chunk->data.size() < 4)
                    return setError("corrupt file: AVI main header too short");
                layout_.microsecondsPerFrame = readU32(chunk->data, 0);
                mainHeaderSeen_ = true;
            } else if (isList(*chunk, fourcc("strl"))) {
                if (!readStream(listBody(*chunk), streamIndex))
                    return false;
                ++streamIndex;
            }
        }
        if (!walker.error().empty())
            return setError("corrupt file: " + walker.error());
        return true;
    }

    bool readStream(std::span<const std::uint8_t> body, int streamIndex)
    {
        bool isVideo = false;
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            if (chunk->id == fourcc("strh")) {
                if (chunk->data.size() < 28)
                    return setError("corrupt file: stream header too short");
                isVideo = readU32(chunk->data, 0) == fourcc("vids") && videoStream_ < 0;
                if (isVideo) {
                    layout_.streamScale = readU32(chunk->data, 20);
                    layout_.streamRate = readU32(chunk->data, 24);
                }
            } else if (chunk->id == fourcc("strf") && isVideo) {
                if (!readBitmapFormat(chunk->data))
                    return false;
                videoStream_ = streamIndex;
            }
        }
        if (!walker.error().empty())
            return setError("corrupt file: " + walker.error());
        if (isVideo && videoStream_ != streamIndex)
            return setError("corrupt file: video stream without a format");
        return true;
    }

    bool readBitmapFormat(std::span<const std::uint8_t> data)
    {
        const std::uint32_t headerSize = readU32(data, 0);
        if (data.size() < 40 || headerSize < 40 || headerSize > data.size())
            return setError("corrupt file: video format too short");
        ByteReader reader(data.subspan(4));
        BitmapFormat &format = layout_.format;
        format.width = reader.i32();
        format.height = reader.i32();
        reader.u16(); // planes
        format.bitCount = reader.u16();
        format.compression = reader.u32();
        reader.skip(12); // image size, resolution
        const std::uint32_t coloursUsed = reader.u32();

        if (format.bitCount >= 1 && format.bitCount <= 8) {
            std::size_t entries = coloursUsed != 0 ? coloursUsed : std::size_t{1} << format.bitCount;
            entries = std::min({entries, std::size_t{kMaxPaletteEntries}, (data.size() - headerSize) / 4});
            for (std::size_t i = 0; i < entries; ++i) {
                const std::size_t at = headerSize + 4 * i;
                format.palette.push_back(0xFF000000u | std::uint32_t{data[at + 2]} << 16
                                         | std::uint32_t{data[at + 1]} << 8 | data[at]);
            }
        }
        return true;
    }

    bool readMovie(std::span<const std::uint8_t> body, int depth)
    {
        ChunkWalker walker(body);
        while (const auto chunk = walker.next()) {
            if (chunk->id == fourcc("LIST")) {
                if (depth + 1 < kMaxListDepth && chunk->data.size() >= 4 && !readMovie(listBody(*chunk), depth + 1))
                    return false;
                continue;
            }
            const int tens = digit(chunk->id & 0xFF);
            const int units = digit((chunk->id >> 8) & 0xFF);
            if (tens < 0 || units < 0)
                continue; // index, padding and other chunks
            const std::uint32_t type = chunk->id >> 16;
            if (tens * 10 + units != videoStream_)
                continue;
            StreamChunk streamChunk;
            streamChunk.data = chunk->data;
            if (type == (fourcc("00db") >> 16) || type == (fourcc("00dc") >> 16)) {
                streamChunk.kind = StreamChunk::Kind::Frame;
                ++frameCount_;
            } else if (type == (fourcc("00pc") >> 16)) {
                streamChunk.kind = StreamChunk::Kind::PaletteChange;
            } else {
                continue;
            }
            // Stops a file of millions of tiny chunks before it costs memory.
            if (frameCount_ > kMaxClipFrames || layout_.chunks.size() >= 2 * kMaxClipFrames)
                return setError("too many frames (the limit is " + std::to_string(kMaxClipFrames) + ")");
            layout_.chunks.push_back(streamChunk);
        }
        if (!walker.error().empty())
            return setError("corrupt file: " + walker.error());
        return true;
    }

    AviLayout layout_;
    std::size_t frameCount_ = 0;
    int videoStream_ = -1;
    bool mainHeaderSeen_ = false;
    bool movieSeen_ = false;
    std::string error_;
};

} // namespace

std::string describeCompression(std::uint32_t code)
{
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        if (c < 0x20 || c >= 0x7F)
            return "compression type " + std::to_string(code);
        text += c;
    }
    return "'" + text + "'";
}

LayoutResult parseAviLayout(std::span<const std::uint8_t> bytes) { return LayoutParser().parse(bytes); }

} // namespace clip::avi
