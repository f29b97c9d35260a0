#include "app/display_guard.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace app {

namespace {

const char kNoDisplay[] = "numoria: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset or cannot "
                          "be reached); on a machine without one, run it under a virtual display: xvfb-run numoria\n";

#ifndef _WIN32
// Where the one line goes while the display's own libraries talk to a muted
// standard error.
int savedError = 2;
#endif

void onStartMessage(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtFatalMsg)
        return;
#ifdef _WIN32
    std::fputs(kNoDisplay, stderr);
#else
    [[maybe_unused]] const auto written = ::write(savedError, kNoDisplay, std::strlen(kNoDisplay));
#endif
    std::_Exit(2);
}

}  // namespace

DisplayGuard::DisplayGuard()
{
    qInstallMessageHandler(onStartMessage);
#ifndef _WIN32
    // libxcb writes of its own (an X server that refuses us, say) to
    // standard error: they would make the one line several.
    std::fflush(stderr);
    savedError = ::dup(2);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (savedError >= 0 && nothing >= 0)
        ::dup2(nothing, 2);
    if (nothing >= 0)
        ::close(nothing);
    if (savedError < 0)
        savedError = 2;
#endif
}

DisplayGuard::~DisplayGuard()
{
#ifndef _WIN32
    std::fflush(stderr);
    if (savedError != 2) {
        ::dup2(savedError, 2);
        ::close(savedError);
        savedError = 2;
    }
#endif
    qInstallMessageHandler(nullptr);
}

}  // namespace app
