#include "clip/rle_decoder.h"

#include "clip/byte_reader.h"

#include <algorithm>

namespace clip::avi {

namespace {

// Position in RLE terms: lines count from the bottom of the picture.
class RleCursor
{
public:
    explicit RleCursor(IndexPicture &picture) : picture_(picture) {}

    bool finished() const { return line_ >= picture_.height; }

    void put(std::uint8_t index)
    {
        if (x_ >= picture_.width || finished())
            return;
        const int row = picture_.height - 1 - line_;
        picture_.indices[static_cast<std::size_t>(row) * picture_.width + x_] = index;
        ++x_;
    }

    void endOfLine()
    {
        x_ = 0;
        ++line_;
    }

    void move(int right, int up)
    {
        x_ = std::min(x_ + right, picture_.width);
        line_ = std::min(line_ + up, picture_.height);
    }

private:
    IndexPicture &picture_;
    int x_ = 0;
    int line_ = 0;
};

// Second byte after a zero count; 3 and up start a literal of that many pixels.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// Shared loop of both depths; `run` and `literal` know how pixels pack.
template<typename RunWriter, typename LiteralWriter>
void decodeRle(std::span<const std::uint8_t> data, IndexPicture &picture, RunWriter run, LiteralWriter literal)
{
    ByteReader reader(data);
    RleCursor cursor(picture);
    while (!cursor.finished() && reader.remaining() >= 2) {
        const std::uint8_t count = reader.u8();
        const std::uint8_t value = reader.u8();
        if (count != 0) {
            run(cursor, count, value);
            continue;
        }
        switch (value) {
        case kEndOfLine:
            cursor.endOfLine();
            break;
        case kEndOfBitmap:
            return;
        case kDelta: {
            if (reader.remaining() < 2)
                return;
            const int right = reader.u8();
            const int up = reader.u8();
            cursor.move(right, up);
            break;
        }
        default:
            if (!literal(cursor, reader, value))
                return;
            break;
        }
    }
}

} // namespace

void decodeRle8(std::span<const std::uint8_t> data, IndexPicture &picture)
{
    const auto run = [](RleCursor &cursor, int count, std::uint8_t value) {
        for (int i = 0; i < count; ++i)
            cursor.put(value);
    };
    const auto literal = [](RleCursor &cursor, ByteReader &reader, int count) {
        for (int i = 0; i < count; ++i) {
            const std::uint8_t value = reader.u8();
            if (reader.failed())
                return false;
            cursor.put(value);
        }
        if (count % 2 != 0)
            reader.skip(1); // literals are padded to an even length
        return true;
    };
    decodeRle(data, picture, run, literal);
}

void decodeRle4(std::span<const std::uint8_t> data, IndexPicture &picture)
{
    const auto high = [](std::uint8_t pair) { return static_cast<std::uint8_t>(pair >> 4); };
    const auto low = [](std::uint8_t pair) { return static_cast<std::uint8_t>(pair & 0x0F); };
    const auto run = [&](RleCursor &cursor, int count, std::uint8_t pair) {
        for (int i = 0; i < count; ++i)
            cursor.put(i % 2 == 0 ? high(pair) : low(pair));
    };
    const auto literal = [&](RleCursor &cursor, ByteReader &reader, int count) {
        const int bytes = (count + 1) / 2;
        for (int i = 0; i < bytes; ++i) {
            const std::uint8_t pair = reader.u8();
            if (reader.failed())
                return false;
            cursor.put(high(pair));
            if (2 * i + 1 < count)
                cursor.put(low(pair));
        }
        if (bytes % 2 != 0)
            reader.skip(1);
        return true;
    };
    decodeRle(data, picture, run, literal);
}

} // namespace clip::avi
