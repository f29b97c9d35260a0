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
        if (x_ >= picture_.width)
            return; // past the end of the line
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
        // Held at the edge, so that endless deltas cannot overflow.
        x_ = std::min(x_ + right, picture_.width);
        line_ += up;
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

} // namespace

void decodeRle8(std::span<const std::uint8_t> data, IndexPicture &picture)
{
    ByteReader reader(data);
    RleCursor cursor(picture);
    while (!cursor.finished() && reader.remaining() >= 2) {
        const std::uint8_t count = reader.u8();
        const std::uint8_t value = reader.u8();
        if (count != 0) {
            for (int i = 0; i < count; ++i)
                cursor.put(value);
        } else if (value == kEndOfLine) {
            cursor.endOfLine();
        } else if (value == kEndOfBitmap) {
            return;
        } else if (value == kDelta) {
            const int right = reader.u8();
            cursor.move(right, reader.u8());
        } else if (reader.remaining() < value) {
            return; // a literal cut short
        } else {
            for (int i = 0; i < value; ++i)
                cursor.put(reader.u8());
            reader.skip(value % 2); // literals are padded to an even length
        }
    }
}

} // namespace clip::avi
