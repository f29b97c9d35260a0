#include "clip/clip_path.h"

#include <QCoreApplication>
#include <QFile>
#include <QtDebug>

#include <system_error>

namespace clip {

namespace {

// The kernel's link holds the executable's name as bytes; Qt's own answer
// comes back empty when those bytes are not valid in the locale's encoding.
std::filesystem::path programDirectory()
{
#ifdef Q_OS_LINUX
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return program.parent_path();
#endif
    return filesystemPath(QCoreApplication::applicationDirPath());
}

}  // namespace

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
    // Said once, though the windows ask again at every language switch.
    [[maybe_unused]] static const bool warned =
        (qWarning("Clip: the program's own directory cannot be found, so no clip plays"), true);
    return {};
}

}  // namespace clip
