#include "clip_path.h"

#include <QCoreApplication>
#include <QDir>

namespace numoria {

QString clipPath() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("numoria.avi")); }

} // namespace numoria
