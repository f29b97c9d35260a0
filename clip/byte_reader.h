#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace clip::avi {

// Little-endian reads that never leave the span: past the end they yield
// zero and mark the reader as failed.
class ByteReader
{
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint8_t u8()
    {
        if (pos_ >= bytes_.size()) {
            failed_ = true;
            return 0;
        }
        return bytes_[pos_++];
    }
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

    void skip(std::size_t count)
    {
        if (count > remaining()) {
            pos_ = bytes_.size();
            failed_ = true;
            return;
        }
        pos_ += count;
    }

    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool failed() const { return failed_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

inline std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    ByteReader reader(bytes.subspan(offset < bytes.size() ? offset : bytes.size()));
    return reader.u32();
}

} // namespace clip::avi
