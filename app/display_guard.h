#pragma once

namespace app {

// Held while the application object opens the display. Qt answers a display
// it cannot open with a fatal message and an abort; while this lives, that
// ends instead in the program's own one line on standard error and exit
// code 2, and Qt's other start-up chatter is not shown.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;
};

}  // namespace app
