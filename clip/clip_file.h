#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace clip {

// A clip file opened for reading. Opening never waits (a FIFO or a device
// is opened without blocking, then refused), and every check is made on the
// file opened, never on the path again, so a file swapped meanwhile cannot
// slip past them.
class ClipFile
{
public:
    ClipFile() = default;
    ClipFile(const ClipFile &) = delete;
    ClipFile &operator=(const ClipFile &) = delete;
    ~ClipFile();

    // An empty string, or why the file cannot be read.
    std::string open(const std::filesystem::path &path);
    std::uint64_t size() const { return size_; }
    // Tells versions of a file apart: device, inode, size and time of change.
    const std::string &version() const { return version_; }
    // False when the file no longer holds all of these bytes.
    bool read(std::uint64_t offset, std::span<std::uint8_t> bytes) const;

private:
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
    std::string version_;
};

}  // namespace clip
