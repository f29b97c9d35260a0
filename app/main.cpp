#include "app/main_window.h"
#include "kit/style.h"
#include "kit/version.h"
#include "numerals/numerals.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

#ifdef _WIN32
// Windows always has its desktop, and none of these variables.
bool hasDisplay() { return true; }
#else
bool hasDisplay()
{
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}
#endif

}  // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("numoria: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "on a machine without one, run it under a virtual display: xvfb-run numoria\n",
                   stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numoria"));
    QApplication::setApplicationVersion(QString::fromLatin1(kit::versionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    QApplication::setWindowIcon(
        QIcon(kit::ideogramPicturePath(numerals::pictureNumber(numerals::Ideogram::Zero))));

    auto *window = new app::MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return application.exec();
}
