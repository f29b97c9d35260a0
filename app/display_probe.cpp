#include "app/display_probe.h"

#include <QByteArray>
#include <QByteArrayList>

#include <cstdlib>
#include <cstring>
#include <string>

#ifdef NUMORIA_XCB
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#endif

namespace app {

namespace {

#ifdef NUMORIA_XCB

bool xServerReachable()
{
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screen);
    // A display name whose screen does not exist is no display either.
    const bool reachable = !xcb_connection_has_error(connection) && screen >= 0
                           && screen < xcb_setup_roots_length(xcb_get_setup(connection));
    xcb_disconnect(connection);
    return reachable;
}

// Where libwayland looks: an inherited socket, or WAYLAND_DISPLAY (by default
// wayland-0) as a path of its own or under XDG_RUNTIME_DIR.
bool compositorReachable()
{
    if (std::getenv("WAYLAND_SOCKET"))
        return true;
    const char *name = std::getenv("WAYLAND_DISPLAY");
    std::string path = name ? name : "wayland-0";
    if (path.empty() || path.front() != '/') {
        const char *runtime = std::getenv("XDG_RUNTIME_DIR");
        if (!runtime || !*runtime)
            return false;
        path = std::string(runtime) + '/' + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool reachable = ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(socket);
    return reachable;
}

// The platforms Qt tries in turn: QT_QPA_PLATFORM's list, else Wayland when
// the session names one, then X11.
QByteArrayList platformsToTry()
{
    const QByteArray forced = qgetenv("QT_QPA_PLATFORM");
    if (!forced.isEmpty())
        return forced.split(';');
    if (qgetenv("XDG_SESSION_TYPE") == "wayland" || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return {"wayland", "xcb"};
    return {"xcb"};
}

#endif

}  // namespace

bool displayReachable()
{
#ifdef NUMORIA_XCB
    for (const QByteArray &platform : platformsToTry()) {
        // "name:arguments"; Qt matches names without regard to case.
        const QByteArray name = platform.split(':').first().trimmed().toLower();
        if (name == "xcb" ? xServerReachable() : name.startsWith("wayland") ? compositorReachable() : true)
            return true;
    }
    return false;
#else
    return true;
#endif
}

}  // namespace app
