#include "clip/clip_file.h"

#include "clip/clip_limits.h"

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
    struct _stat64 status {
    };
    const bool opened = descriptor_ >= 0 && ::_fstat64(descriptor_, &status) == 0;
    const long nanoseconds = 0;
#else
    // Without O_NONBLOCK a FIFO would wait here for a writer, for ever.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {
    };
    const bool opened = descriptor_ >= 0 && ::fstat(descriptor_, &status) == 0;
    const long nanoseconds = status.st_mtim.tv_nsec;
#endif
    if (!opened)
        return errno == ENOENT ? "file not found" : std::generic_category().message(errno);
    if ((status.st_mode & S_IFMT) == S_IFDIR)
        return "is a directory";
    if ((status.st_mode & S_IFMT) != S_IFREG)
        return "not a regular file";
    size_ = static_cast<std::uint64_t>(status.st_size);
    if (size_ > kMaxClipFileBytes)
        return "file larger than the limit of " + std::to_string(kMaxClipFileBytes >> 20) + " MiB";
    version_ = std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino) + ':' + std::to_string(size_) + ':'
               + std::to_string(status.st_mtime) + '.' + std::to_string(nanoseconds);
    return {};
}

// A regular file gives all the bytes asked for unless it ends before them.
bool ClipFile::read(std::uint64_t offset, std::span<std::uint8_t> bytes) const
{
#ifdef _WIN32
    return ::_lseeki64(descriptor_, static_cast<__int64>(offset), SEEK_SET) >= 0
           && ::_read(descriptor_, bytes.data(), static_cast<unsigned>(bytes.size())) == static_cast<int>(bytes.size());
#else
    return ::pread(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(offset))
           == static_cast<ssize_t>(bytes.size());
#endif
}

}  // namespace clip
