#include "clip/frame_decoder.h"

#include <algorithm>
#include <cstdlib>

namespace clip::avi {

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000u;

std::uint32_t argb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

// Five bits to eight, filling the low bits so that 31 becomes 255.
std::uint32_t widen5(std::uint32_t value) { return (value << 3) | (value >> 2); }

} // namespace

FrameDecoder::FrameDecoder(const BitmapFormat &format, FrameEncoding encoding)
    : width_(format.width)
    , height_(std::abs(format.height))
    , topDown_(format.height < 0)
    , bitCount_(format.bitCount)
    , encoding_(encoding)
{
    palette_.fill(kOpaqueBlack);
    std::copy_n(format.palette.begin(), std::min(format.palette.size(), palette_.size()), palette_.begin());
    const std::size_t pixels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    if (isIndexed()) {
        indices_.width = width_;
        indices_.height = height_;
        indices_.indices.assign(pixels, 0);
    } else {
        colours_.assign(pixels, kOpaqueBlack);
    }
}

std::size_t FrameDecoder::rowStride() const
{
    // Rows of a device-independent bitmap are padded to four bytes.
    return (static_cast<std::size_t>(width_) * static_cast<std::size_t>(bitCount_) + 31) / 32 * 4;
}

int FrameDecoder::pictureRow(int storedRow) const { return topDown_ ? storedRow : height_ - 1 - storedRow; }

std::string FrameDecoder::decode(std::span<const std::uint8_t> chunk, std::vector<std::uint32_t> &picture)
{
    const std::size_t rawSize = rowStride() * static_cast<std::size_t>(height_);
    if (!chunk.empty()) {
        if (encoding_ == FrameEncoding::Raw) {
            if (chunk.size() < rawSize)
                return "holds " + std::to_string(chunk.size()) + " bytes, "
                    + std::to_string(rawSize) + " expected";
            if (isIndexed())
                readIndexedRows(chunk);
            else
                readColourRows(chunk);
        } else if (chunk.size() == rawSize) {
            // RLE streams may store a frame uncompressed; decoders tell it
            // by its size, as FFmpeg and Video for Windows do.
            readIndexedRows(chunk);
        } else if (encoding_ == FrameEncoding::Rle8) {
            decodeRle8(chunk, indices_);
        } else {
            decodeRle4(chunk, indices_);
        }
    }
    if (isIndexed())
        paintIndices(picture);
    else
        picture = colours_;
    return {};
}

void FrameDecoder::readIndexedRows(std::span<const std::uint8_t> rows)
{
    const std::size_t stride = rowStride();
    for (int stored = 0; stored < height_; ++stored) {
        const std::uint8_t *in = rows.data() + static_cast<std::size_t>(stored) * stride;
        std::uint8_t *out = indices_.indices.data() + static_cast<std::size_t>(pictureRow(stored)) * width_;
        for (int x = 0; x < width_; ++x) {
            if (bitCount_ == 8)
                out[x] = in[x];
            else
                out[x] = (x % 2 == 0) ? in[x / 2] >> 4 : in[x / 2] & 0x0F;
        }
    }
}

void FrameDecoder::readColourRows(std::span<const std::uint8_t> rows)
{
    const std::size_t stride = rowStride();
    for (int stored = 0; stored < height_; ++stored) {
        const std::uint8_t *in = rows.data() + static_cast<std::size_t>(stored) * stride;
        std::uint32_t *out = colours_.data() + static_cast<std::size_t>(pictureRow(stored)) * width_;
        for (int x = 0; x < width_; ++x) {
            switch (bitCount_) {
            case 16: {
                const std::uint32_t v = in[2 * x] | std::uint32_t{in[2 * x + 1]} << 8;
                out[x] = argb(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
                break;
            }
            case 24:
                out[x] = argb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
                break;
            default: // 32: the fourth byte is unused in BI_RGB
                out[x] = argb(in[4 * x + 2], in[4 * x + 1], in[4 * x]);
                break;
            }
        }
    }
}

void FrameDecoder::paintIndices(std::vector<std::uint32_t> &picture) const
{
    picture.resize(indices_.indices.size());
    std::transform(indices_.indices.begin(), indices_.indices.end(), picture.begin(),
                   [this](std::uint8_t index) { return palette_[index]; });
}

void FrameDecoder::changePalette(std::span<const std::uint8_t> data)
{
    if (data.size() < 4)
        return;
    const std::size_t first = data[0];
    const std::size_t count = data[1] == 0 ? 256 : data[1];
    for (std::size_t i = 0; i < count && first + i < palette_.size(); ++i) {
        const std::size_t at = 4 + 4 * i;
        if (at + 3 > data.size())
            break;
        palette_[first + i] = argb(data[at], data[at + 1], data[at + 2]);
    }
}

} // namespace clip::avi
