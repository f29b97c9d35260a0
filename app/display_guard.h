#pragma once

namespace app {

// Watches the application object open the display. Qt answers a display it
// cannot use with a fatal message and an abort, while X11, Wayland and EGL
// libraries write their own reasons to standard error; while this lives,
// that ends instead in one line naming the cause, and exit status 2. A start
// that succeeds shows whatever was said meanwhile, and later warnings pass.
// A QT_SCALE_FACTOR that is not a positive number is dropped with a warning:
// Qt would crash on it, or open no window at all.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    // Once the application object exists: a platform with no screen (a frame
    // buffer that is not there) ends the program the same way.
    void opened();
};

}  // namespace app
