#include "app/display_guard.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace app {

namespace {

const char kNoDisplay[] =
    "no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset or cannot be reached); "
    "on a machine without one, run it under a virtual display: xvfb-run numoria";
const char kNoVirtualDisplayHint[] = "; on a machine without a display, run it under a virtual one: xvfb-run numoria";

struct StartLog {
    QString firstPlatformWarning;  // from the plugin loader or a platform plugin
    QString connectionFailure;     // the X server or Wayland compositor did not answer
    QStringList said;              // every message of a start that may yet work
    bool guarding = false;
#ifndef _WIN32
    int realError = -1;  // standard error, while 2 goes to `captured`
    std::FILE *captured = nullptr;
#endif
};

StartLog &startLog()
{
    static StartLog log;
    return log;
}

bool isSet(const char *name) { return !qEnvironmentVariableIsEmpty(name); }

QString firstLine(const QString &text) { return text.section(u'\n', 0, 0).trimmed(); }

// What the display's own libraries wrote to standard error: an X server's
// refusal, say.
QString capturedReason()
{
#ifndef _WIN32
    std::FILE *captured = startLog().captured;
    if (!captured)
        return {};
    std::fflush(stderr);
    std::rewind(captured);
    char line[512];
    while (std::fgets(line, sizeof line, captured))
        if (const QString text = QString::fromLocal8Bit(line).trimmed(); !text.isEmpty())
            return text;
#endif
    return {};
}

void writeLine(const QString &cause)
{
    const QByteArray line = "numoria: " + cause.toLocal8Bit() + '\n';
#ifndef _WIN32
    if (startLog().realError >= 0) {
        [[maybe_unused]] const auto written = ::write(startLog().realError, line.constData(), size_t(line.size()));
        return;
    }
#endif
    std::fputs(line.constData(), stderr);
}

[[noreturn]] void endWith(QString cause)
{
    const StartLog &log = startLog();
    const QString raw = capturedReason();
    if (!log.connectionFailure.isEmpty() && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        cause = QString::fromLatin1(kNoDisplay);
    else if (!raw.isEmpty())
        cause += QStringLiteral(": ") + raw;
    else if (!log.connectionFailure.isEmpty())
        cause += QString::fromLatin1(kNoVirtualDisplayHint);
    writeLine(cause);
    std::_Exit(2);
}

void onStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    StartLog &log = startLog();
    const QString text = firstLine(message);
    if (type == QtFatalMsg) {
        // Qt's closing words for a plugin that failed name no cause: the
        // plugin's own warning does.
        const bool generic = text.contains(QLatin1String("no Qt platform plugin could be initialized"));
        endWith(generic && !log.firstPlatformWarning.isEmpty() ? log.firstPlatformWarning : text);
    }
    log.said << qFormatLogMessage(type, context, message);
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    const QLatin1String category(context.category ? context.category : "");
    if (text.startsWith(QLatin1String("could not connect to display"))
        || text.startsWith(QLatin1String("Failed to create wl_display")))
        log.connectionFailure = text;
    if (log.firstPlatformWarning.isEmpty() && category.startsWith(QLatin1String("qt.qpa"))
        && !text.contains(QLatin1String("even though it was found")))
        log.firstPlatformWarning = text;
    if (log.firstPlatformWarning.isEmpty() && text == log.connectionFailure)
        log.firstPlatformWarning = text;
}

void ignoreUnusableScaleFactor()
{
    const QByteArray value = qgetenv("QT_SCALE_FACTOR");
    if (value.isEmpty())
        return;
    char *end = nullptr;
    const double factor = std::strtod(value.constData(), &end);
    if (*end == '\0' && std::isfinite(factor) && factor > 0)
        return;
    writeLine(QStringLiteral("QT_SCALE_FACTOR=%1 is not a positive number; it is ignored")
                  .arg(QString::fromLocal8Bit(value)));
    qunsetenv("QT_SCALE_FACTOR");
}

}  // namespace

DisplayGuard::DisplayGuard()
{
    ignoreUnusableScaleFactor();
    startLog().guarding = true;
    qInstallMessageHandler(onStartMessage);
#ifndef _WIN32
    // Held aside, so that what the libraries write can join the one line.
    std::fflush(stderr);
    StartLog &log = startLog();
    log.captured = std::tmpfile();
    log.realError = log.captured ? ::dup(2) : -1;
    if (log.realError >= 0)
        ::dup2(::fileno(log.captured), 2);
#endif
}

void DisplayGuard::opened()
{
    if (!QGuiApplication::primaryScreen())
        endWith(
            QStringLiteral("the %1 platform found no screen to show a window on").arg(QGuiApplication::platformName()));
}

DisplayGuard::~DisplayGuard()
{
    StartLog &log = startLog();
    if (!log.guarding)
        return;
    log.guarding = false;
    qInstallMessageHandler(nullptr);
#ifndef _WIN32
    std::fflush(stderr);
    if (log.realError >= 0) {
        ::dup2(log.realError, 2);
        ::close(log.realError);
        log.realError = -1;
    }
    // A start that worked says what it was told on the way.
    if (log.captured) {
        std::rewind(log.captured);
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, log.captured)) > 0;)
            std::fwrite(chunk, 1, n, stderr);
        std::fclose(log.captured);
        log.captured = nullptr;
    }
#endif
    for (const QString &message : std::as_const(log.said))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

}  // namespace app
