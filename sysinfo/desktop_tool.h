#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace sysinfo {

// A program by absolute path and its arguments, started as they stand.
struct Command {
    QString program;
    QStringList arguments;
};

// The desktop's own system-information view, among those installed (isFile
// tells): first the one of a desktop named in currentDesktops (the
// colon-separated XDG_CURRENT_DESKTOP, such as "ubuntu:GNOME"), else HardInfo,
// which belongs to no desktop, else another desktop's view that runs anywhere.
// Nothing when none is installed.
std::optional<Command> desktopTool(const QString &currentDesktops, const std::function<bool(const QString &)> &isFile);

}  // namespace sysinfo
