#include "app/display_probe.h"
#include "app/main_window.h"
#include "kit/style.h"
#include "kit/version.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (!app::displayReachable()) {
        std::fputs("numoria: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset or "
                   "cannot be reached); on a machine without one, run it under a virtual display: "
                   "xvfb-run numoria\n",
                   stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numoria"));
    QApplication::setApplicationVersion(QString::fromLatin1(kit::versionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    QApplication::setWindowIcon(kit::windowIcon());

    auto *window = new app::MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return application.exec();
}
