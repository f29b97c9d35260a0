#pragma once

namespace app {

// True when a window system that Qt is going to try can be reached: the X
// server for xcb, the compositor's socket for wayland. Platforms that need no
// server (offscreen, vnc, ...) count as reachable. Asked before QApplication
// exists, because Qt answers an unreachable display with an abort.
bool displayReachable();

}  // namespace app
