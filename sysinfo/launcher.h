#pragma once

#include "sysinfo/machine_value.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace sysinfo {

// What the system-information button needs from the machine; tests hand in
// their own.
struct Machine {
    std::function<std::optional<MachineValue>(const std::string &keyPath, const std::string &valueName)> readValue;
    std::function<bool(const QString &path)> isFile;
    std::function<bool(const QString &program, const QStringList &arguments)> start;
    QString currentDesktop;  // as in XDG_CURRENT_DESKTOP
};

// The registry, the file system, a launcher that starts a program directly,
// never through a shell, without waiting for it, and the desktop in use.
Machine realMachine();

// A value as text: a UTF-8 string up to its first NUL, a number in decimal;
// other types give an empty text. Nothing for a value too long to be read.
std::optional<QString> valueText(const std::optional<MachineValue> &value);

// The tool the registry names: the first key's path, else the tool's file in
// the second key's directory when that file exists; empty when there is none.
// Only an absolute path counts, so the current directory or $PATH can never
// choose what runs.
QString findTool(const Machine &machine);

// Starts the tool the registry names; on other systems, when it names none,
// the desktop's own system-information view. Else says in one message, in
// French whatever the interface language, that system information is not
// available.
void startSystemInformation(QWidget *parent, const Machine &machine = realMachine());

}  // namespace sysinfo
