#include "system_tool.h"

#include <QFileInfo>
#include <QProcess>

namespace numoria {

bool toolFileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool startToolDetached(const QString &program)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, {});
}

}  // namespace numoria
