#pragma once

#include <thread>

namespace app {

// Reads the system's font configuration on a second thread while the
// application object connects to the display, so that the window's first
// text finds it ready instead of waiting for it. Where the platform has no
// font configuration to read, it does nothing.
class FontPreload
{
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload &) = delete;
    FontPreload &operator=(const FontPreload &) = delete;

    // Waits until the configuration is read; call before the first widget.
    void wait();

private:
    std::thread thread_;
};

}  // namespace app
