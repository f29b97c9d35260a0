#include "clip/avi_reader.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <system_error>

namespace clip {

AviReadResult readAviFile(const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    const auto failure = [](std::string reason) { return AviReadResult{std::nullopt, std::move(reason)}; };
    const auto tooLarge = [&] {
        return failure("file larger than the limit of " + std::to_string(kMaxClipFileBytes >> 20) + " MiB");
    };

    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return failure("file not found");
    if (error)
        return failure(error.message());
    if (status.type() == fs::file_type::directory)
        return failure("is a directory");
    if (status.type() != fs::file_type::regular)
        return failure("not a regular file");
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return failure(error.message());
    if (size > kMaxClipFileBytes)
        return tooLarge();

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failure(errno != 0 ? std::generic_category().message(errno) : "cannot open the file");
    // The file may have grown since it was measured: reading goes on to one
    // byte past the limit to notice.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size) + 1);
    std::size_t filled = 0;
    while (in && filled < bytes.size()) {
        in.read(reinterpret_cast<char *>(bytes.data() + filled), static_cast<std::streamsize>(bytes.size() - filled));
        filled += static_cast<std::size_t>(in.gcount());
        if (filled == bytes.size() && bytes.size() <= kMaxClipFileBytes)
            bytes.resize(std::min<std::size_t>(bytes.size() * 2, kMaxClipFileBytes + 1));
    }
    if (in.bad())
        return failure("read error");
    if (filled > kMaxClipFileBytes)
        return tooLarge();
    bytes.resize(filled);
    return readAvi(bytes);
}

} // namespace clip
