#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace clip::avi {

// Little-endian reads that never leave the span: past the end they yield zero.
class ByteReader
{
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8() { return pos_ < bytes_.size() ? bytes_[pos_++] : 0; }
    std::uint16_t u16()
    {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }

    void skip(std::size_t count) { pos_ += std::min(count, remaining()); }
    std::size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

inline std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return ByteReader(bytes.subspan(std::min(offset, bytes.size()))).u32();
}

}  // namespace clip::avi
