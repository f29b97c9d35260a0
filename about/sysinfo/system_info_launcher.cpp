#include "system_info_launcher.h"

#include <QByteArray>

#include <algorithm>
#include <utility>
#include <vector>

namespace numoria {

namespace {

const char toolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char toolValue[] = "PATH";
const char toolLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char toolLocationValue[] = "MSINFO";
const char toolFileName[] = "MSINFO32.EXE";

// The value's last byte is at position `size`; a NUL there is a string's
// terminator and is dropped.
QByteArray trimmedValue(const std::vector<char> &buffer, std::uint32_t size)
{
    if (size >= 1 && size <= buffer.size() && buffer[size - 1] == '\0')
        return QByteArray(buffer.data(), qsizetype(size - 1));
    return QByteArray(buffer.data(), qsizetype(std::min<std::size_t>(size, buffer.size())));
}

// "&h" and hex digits, printed the way the Basic runtime prints such a number:
// as a signed 32-bit decimal. Anything that is not such a number stays as written.
QString basicNumberText(const QString &hexDigits)
{
    const QString written = QStringLiteral("&h") + hexDigits;
    if (hexDigits.isEmpty() || hexDigits.size() > 8)
        return written;
    bool ok = false;
    const quint32 value = hexDigits.toUInt(&ok, 16);
    if (!ok)
        return written;
    return QString::number(static_cast<qint32>(value));
}

// The bytes from the last to the first, two upper-case hex digits each.
QString dwordText(const QString &before, const QByteArray &bytes)
{
    QString digits = before;
    for (qsizetype i = bytes.size(); i-- > 0;)
        digits += QStringLiteral("%1").arg(uint(uchar(bytes[i])), 2, 16, QLatin1Char('0')).toUpper();
    return basicNumberText(digits);
}

}  // namespace

SystemInfoLauncher::SystemInfoLauncher(Registry &registry, FileTest fileExists,
                                       ProgramStarter startProgram)
    : registry_(registry), fileExists_(std::move(fileExists)), startProgram_(std::move(startProgram))
{
}

bool SystemInfoLauncher::GetKeyValue(registry::Key KeyRoot, const QString &KeyName,
                                     const QString &SubKeyRef, QString &KeyVal)
{
    registry::Key key = 0;
    bool found = false;
    try {
        found = readValue(KeyRoot, KeyName, SubKeyRef, KeyVal, key);
    } catch (...) {
        registry_.RegCloseKey(key);
        throw;
    }
    if (!found)
        KeyVal.clear();
    // Also when the open failed: the handle is then 0.
    registry_.RegCloseKey(key);
    return found;
}

bool SystemInfoLauncher::readValue(registry::Key root, const QString &keyName,
                                   const QString &valueName, QString &text, registry::Key &key)
{
    if (registry_.RegOpenKeyExA(root, keyName.toLocal8Bit().toStdString(), 0, accessMask, &key)
        != registry::Success)
        return false;

    std::vector<char> buffer(bufferSize, '\0');
    auto size = std::uint32_t(bufferSize);
    std::uint32_t type = registry::TypeNone;
    if (registry_.RegQueryValueExA(key, valueName.toLocal8Bit().toStdString(), &type,
                                   reinterpret_cast<unsigned char *>(buffer.data()), &size)
        != registry::Success)
        return false;

    const QByteArray value = trimmedValue(buffer, size);
    switch (type) {
    case registry::TypeString:
        text = QString::fromLocal8Bit(value);
        break;
    case registry::TypeDword:
        text = dwordText(text, value);
        break;
    default:
        break;  // other types leave the text as it was
    }
    return true;
}

void SystemInfoLauncher::StartSysInfo(QWidget *parent)
{
    bool started = false;
    try {
        started = findAndStartTool();
    } catch (...) {
        // Whatever went wrong, the user gets the same message.
    }
    if (!started)
        showMessage(parent, unavailableMessage());
}

bool SystemInfoLauncher::findAndStartTool()
{
    QString path;
    if (GetKeyValue(registry::LocalMachine, QString::fromLatin1(toolKey),
                    QString::fromLatin1(toolValue), path)) {
        return startProgram_(path);
    }
    if (GetKeyValue(registry::LocalMachine, QString::fromLatin1(toolLocationKey),
                    QString::fromLatin1(toolLocationValue), path)) {
        const QString tool = toolInDirectory(path);
        return fileExists_(tool) && startProgram_(tool);
    }
    return false;
}

QString SystemInfoLauncher::toolInDirectory(const QString &directory)
{
    const QString name = QString::fromLatin1(toolFileName);
#ifdef _WIN32
    return directory + QLatin1Char('\\') + name;
#else
    if (directory.endsWith(QLatin1Char('/')))
        return directory + name;
    return directory + QLatin1Char('/') + name;
#endif
}

Message SystemInfoLauncher::unavailableMessage()
{
    return {QStringLiteral("Les informations système ne sont pas disponibles actuellement"),
            QStringLiteral("Numoria"), MessageIcon::None};
}

}  // namespace numoria
