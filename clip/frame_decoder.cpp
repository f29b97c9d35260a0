#include "clip/frame_decoder.h"

#include "clip/byte_reader.h"

#include <algorithm>
#include <cstdlib>

namespace clip::avi {

namespace {

std::uint32_t argb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

// Five bits to eight, filling the low bits so that 31 becomes 255.
std::uint32_t widen5(std::uint32_t value) { return (value << 3) | (value >> 2); }

// Position in RLE terms: lines count from the bottom of the picture.
class RleCursor
{
public:
    explicit RleCursor(IndexPicture &picture) : picture_(picture) {}

    bool finished() const { return line_ >= picture_.height; }

    void put(std::uint8_t index)
    {
        if (x_ >= picture_.width)
            return;  // past the end of the line
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

}  // namespace

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
            return;  // a literal cut short
        } else {
            for (int i = 0; i < value; ++i)
                cursor.put(reader.u8());
            reader.skip(value % 2);  // literals are padded to an even length
        }
    }
}

FrameDecoder::FrameDecoder(const BitmapFormat &format)
    : format_(format), width_(format.width), height_(std::abs(format.height)), compressed_(format.compression != 0)
{
    const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    indices_ = {width_, height_, std::vector<std::uint8_t>(pixels, 0)};
    colours_.resize(pixels);
}

std::size_t FrameDecoder::rowStride() const
{
    // Rows of a device-independent bitmap are padded to four bytes.
    return (static_cast<std::size_t>(width_) * static_cast<std::size_t>(format_.bitCount) + 31) / 32 * 4;
}

std::string FrameDecoder::decode(std::span<const std::uint8_t> chunk)
{
    const std::size_t rawSize = rowStride() * static_cast<std::size_t>(height_);
    ++decoded_;
    if (!compressed_ && chunk.size() < rawSize)
        return "corrupt file: frame " + std::to_string(decoded_) + " holds " + std::to_string(chunk.size()) + " bytes, "
               + std::to_string(rawSize) + " expected";
    if (!compressed_ || chunk.size() == rawSize) {
        // An RLE stream may store a frame uncompressed; decoders tell it by
        // its size.
        readRows(chunk);
    } else {
        decodeRle8(chunk, indices_);
        std::transform(indices_.indices.begin(), indices_.indices.end(), colours_.begin(),
                       [this](std::uint8_t index) { return format_.palette[index]; });
    }
    return {};
}

void FrameDecoder::readRows(std::span<const std::uint8_t> rows)
{
    const std::size_t stride = rowStride();
    for (int stored = 0; stored < height_; ++stored) {
        const std::uint8_t *in = rows.data() + static_cast<std::size_t>(stored) * stride;
        const int row = format_.height < 0 ? stored : height_ - 1 - stored;
        const std::size_t start = static_cast<std::size_t>(row) * static_cast<std::size_t>(width_);
        for (int x = 0; x < width_; ++x) {
            std::uint32_t &out = colours_[start + x];
            switch (format_.bitCount) {
            case 8:
                indices_.indices[start + x] = in[x];
                out = format_.palette[in[x]];
                break;
            case 16: {
                const std::uint32_t v = in[2 * x] | std::uint32_t{in[2 * x + 1]} << 8;
                out = argb(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
                break;
            }
            case 24:
                out = argb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default:  // 32: the fourth byte is unused in BI_RGB
                out = argb(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
                break;
            }
        }
    }
}

}  // namespace clip::avi
