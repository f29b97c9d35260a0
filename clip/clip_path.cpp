#include "clip/clip_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace clip {

QString clipPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("numoria.avi")); }

std::filesystem::path filesystemPath(const QString &path)
{
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

} // namespace clip
