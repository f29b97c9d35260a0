#include "form1.h"
#include "ideogram.h"
#include "pictures.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

bool hasDisplay()
{
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (!hasDisplay()) {
        std::fputs("numoria: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "on a machine without one, run it under a virtual display: xvfb-run numoria\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numoria"));
    QApplication::setApplicationVersion(QStringLiteral(NUMORIA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    QApplication::setWindowIcon(QIcon(numoria::ideogramPicturePath(numoria::ideogram::Zero)));

    auto *form = new numoria::Form1;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    return app.exec();
}
