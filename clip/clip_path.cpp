#include "clip/clip_path.h"

#include <QCoreApplication>
#include <QFile>
#include <QtDebug>

#include <string>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace clip {

namespace {

// The kernel's link holds the executable's name as bytes; Qt's own answer
// comes back empty when those bytes are not valid in the locale's encoding.
std::filesystem::path programDirectory()
{
#ifdef Q_OS_LINUX
    for (std::string target(256, '\0'); target.size() <= (1u << 20); target.resize(target.size() * 2)) {
        const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
        if (length < 0)
            break;
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return std::filesystem::path(target).parent_path();
        }
    }
#endif
    return filesystemPath(QCoreApplication::applicationDirPath());
}

} // namespace

std::filesystem::path filesystemPath(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

std::filesystem::path clipPath()
{
    const std::filesystem::path directory = programDirectory();
    // A relative directory would read a clip from wherever Numoria was started.
    if (directory.is_absolute())
        return directory / "numoria.avi";
    static bool warned = false;
    if (!warned)
        qWarning("Clip: the program's own directory cannot be found, so no clip plays");
    warned = true;
    return {};
}

} // namespace clip
