#include "sysinfo/launcher.h"

#include "kit/message_box.h"
#include "kit/strings.h"
#include "sysinfo/desktop_tool.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <filesystem>

namespace sysinfo {

namespace {

const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kToolValue[] = "PATH";
const char kToolLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char kToolLocationValue[] = "MSINFO";
const char kToolFileName[] = "MSINFO32.EXE";

std::optional<QString> lookUp(const Machine &machine, const char *key, const char *value)
{
    return valueText(machine.readValue(key, value));
}

// Relative paths would be resolved against the current directory or $PATH.
// (Qt's own test also takes ":/name", a resource path, for absolute.)
QString absoluteOrEmpty(const QString &path)
{
    return std::filesystem::path(path.toStdU16String()).is_absolute() ? path : QString();
}

std::optional<Command> toolCommand(const Machine &machine)
{
    if (QString tool = findTool(machine); !tool.isEmpty())
        return Command{tool, {}};
#ifdef _WIN32
    // Windows names its tool in the registry alone; /usr/bin means nothing there.
    return std::nullopt;
#else
    return desktopTool(machine.currentDesktop, machine.isFile);
#endif
}

}  // namespace

Machine realMachine()
{
    return {
        &readMachineValue,
        [](const QString &path) { return QFileInfo(path).isFile(); },
        [](const QString &program, const QStringList &arguments) {
            return QProcess::startDetached(program, arguments);
        },
        qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
    };
}

std::optional<QString> valueText(const std::optional<MachineValue> &value)
{
    if (!value)
        return std::nullopt;
    const std::vector<unsigned char> &data = value->data;
    if (value->type == typeString) {
        // The buffer counts characters, including any after the first NUL.
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data.data()), qsizetype(data.size()));
        if (std::size_t(text.size()) > maxValueLength)
            return std::nullopt;
        // A string ends at its first NUL, whether or not its size counts it.
        return text.left(text.indexOf(QChar(u'\0')));
    }
    if (data.size() > maxValueLength)
        return std::nullopt;
    if (value->type == typeDword && data.size() <= 4) {
        quint32 number = 0;
        for (std::size_t i = data.size(); i-- > 0;)
            number = number << 8 | data[i];
        return QString::number(static_cast<qint32>(number));
    }
    return QString();
}

QString findTool(const Machine &machine)
{
    if (const auto path = lookUp(machine, kToolKey, kToolValue))
        return absoluteOrEmpty(*path);
    if (const auto directory = lookUp(machine, kToolLocationKey, kToolLocationValue)) {
        const QString tool = absoluteOrEmpty(QDir(*directory).filePath(QString::fromLatin1(kToolFileName)));
        return !tool.isEmpty() && machine.isFile(tool) ? tool : QString();
    }
    return {};
}

void startSystemInformation(QWidget *parent, const Machine &machine)
{
    const std::optional<Command> command = toolCommand(machine);
    if (!command || !machine.start(command->program, command->arguments))
        kit::showMessage(parent, {kit::systemInfoUnavailableText(), kit::applicationTitle(), kit::MessageIcon::None});
}

}  // namespace sysinfo
