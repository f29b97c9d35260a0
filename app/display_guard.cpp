#include "app/display_guard.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

void onStartMessage(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg)
        return;
    std::fputs("numoria: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset or cannot be "
               "reached); on a machine without one, run it under a virtual display: xvfb-run numoria\n",
               stderr);
    std::_Exit(2);
}

}  // namespace

DisplayGuard::DisplayGuard() { qInstallMessageHandler(onStartMessage); }

DisplayGuard::~DisplayGuard() { qInstallMessageHandler(nullptr); }

}  // namespace app
