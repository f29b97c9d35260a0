#include "first_paint_hook.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace numoria::bench {

namespace {

std::int64_t nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Since the launcher's exec when it told us, else since the kernel started
// the process (field 22 of /proc/self/stat, in clock ticks since boot).
double millisecondsSinceStart()
{
    if (const char *exec = std::getenv("NUMORIA_BENCH_EXEC_NS"))
        return double(nanoseconds(CLOCK_MONOTONIC) - std::strtoll(exec, nullptr, 10)) / 1e6;
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name may hold spaces and parentheses: count from the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(22 - 3).toDouble();
    return double(nanoseconds(CLOCK_BOOTTIME)) / 1e6 - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The paint of a top-level widget comes first in its paint pass, before its
// children and before the backing store is flushed; a queued call runs once
// that whole pass, flush included, has returned to the event loop.
class FirstPaintWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && widget->windowType() == Qt::Window) {
                seen_ = true;
                QPointer<QWidget> window(widget);
                QMetaObject::invokeMethod(
                    this, [window] { report(window); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void report(QPointer<QWidget> window)
    {
        std::printf("startup_ms %.3f\n", millisecondsSinceStart());
        std::fflush(stdout);
        // The work goes on from a timer: what the program itself queued at
        // its first paint is still behind this call and must come first.
        QTimer::singleShot(0, [window] {
            if (window)
                workAfterFirstPaint(window);
            std::printf("vmhwm_kb %ld\n", peakResidentKb());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

    bool seen_ = false;
};

}  // namespace

}  // namespace numoria::bench

// Runs inside the application object's constructor, before main() goes on.
static void installFirstPaintWatcher()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new numoria::bench::FirstPaintWatcher(app));
}
Q_COREAPP_STARTUP_FUNCTION(installFirstPaintWatcher)
