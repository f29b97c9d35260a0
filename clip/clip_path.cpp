#include "clip/clip_path.h"

#include <QCoreApplication>
#include <QDir>

namespace clip {

QString clipPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("numoria.avi")); }

} // namespace clip
