#include "clip/avi_reader.h"

#include <fstream>
#include <system_error>

namespace clip {

AviReadResult readAviFile(const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    const auto failure = [](std::string reason) { return AviReadResult{std::nullopt, std::move(reason)}; };

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
        return failure("file larger than the limit of " + std::to_string(kMaxClipFileBytes >> 20) + " MiB");

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failure("cannot open the file");
    // A file that changes while it is read is read at its measured size:
    // the end of a grown one is left out, a shrunk one ends in zeros.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return readAvi(bytes);
}

} // namespace clip
