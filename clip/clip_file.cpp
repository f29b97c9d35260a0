#include "clip/clip_file.h"

#include "clip/clip_limits.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace clip {

namespace {

std::string systemError(int number)
{
    return number == ENOENT ? "file not found" : std::generic_category().message(number);
}

} // namespace

ClipFile::~ClipFile()
{
#ifdef _WIN32
    if (descriptor_ >= 0)
        ::_close(descriptor_);
#else
    if (descriptor_ >= 0)
        ::close(descriptor_);
#endif
}

std::string ClipFile::open(const std::filesystem::path &path)
{
#ifdef _WIN32
    descriptor_ = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    // Windows refuses to open a directory as a file.
    if (descriptor_ < 0 && errno == EACCES && std::filesystem::is_directory(path))
        return "is a directory";
    struct _stat64 status {};
    if (descriptor_ < 0 || ::_fstat64(descriptor_, &status) != 0)
        return systemError(errno);
    const bool directory = (status.st_mode & _S_IFMT) == _S_IFDIR;
    const bool regular = (status.st_mode & _S_IFMT) == _S_IFREG;
    const std::int64_t nanoseconds = 0;
#else
    // Without O_NONBLOCK a FIFO would wait here for a writer, for ever.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &status) != 0)
        return systemError(errno);
    const bool directory = S_ISDIR(status.st_mode);
    const bool regular = S_ISREG(status.st_mode);
    const std::int64_t nanoseconds = status.st_mtim.tv_nsec;
#endif
    if (directory)
        return "is a directory";
    if (!regular)
        return "not a regular file";
    size_ = static_cast<std::uint64_t>(status.st_size);
    if (size_ > kMaxClipFileBytes)
        return "file larger than the limit of " + std::to_string(kMaxClipFileBytes >> 20) + " MiB";
    version_ = std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino) + ':' + std::to_string(size_) + ':'
        + std::to_string(status.st_mtime) + '.' + std::to_string(nanoseconds);
    return {};
}

bool ClipFile::read(std::uint64_t offset, std::span<std::uint8_t> bytes) const
{
    if (descriptor_ < 0)
        return false;
#ifdef _WIN32
    if (::_lseeki64(descriptor_, static_cast<__int64>(offset), SEEK_SET) < 0)
        return false;
#endif
    while (!bytes.empty()) {
#ifdef _WIN32
        const int got = ::_read(descriptor_, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
#else
        const ssize_t got = ::pread(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
#endif
        if (got <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(got));
        offset += static_cast<std::uint64_t>(got);
    }
    return true;
}

} // namespace clip
