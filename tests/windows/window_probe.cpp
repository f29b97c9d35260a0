// Looks at the program's windows from outside, as Windows sees them: every
// visible top-level Qt window must have a title bar with the system menu and
// room for its icon, be in the task bar and Alt+Tab, be neither resizable nor
// maximisable (so its system menu offers no Size nor Maximize), and have its
// frame centred on the work area within 3 px.
// Usage: window_probe.exe DPI COUNT   (fails unless the system DPI is DPI and
// COUNT such windows are open)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

namespace {

std::vector<HWND> programWindows()
{
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (IsWindowVisible(window) && std::wcsncmp(name, L"Qt", 2) == 0)
                reinterpret_cast<std::vector<HWND> *>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// One line per fault of the window; the number of faults.
int check(HWND window)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    char name[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, title, -1, name, sizeof name, nullptr, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE), extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
    RECT frame{};
    GetWindowRect(window, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT &work = monitor.rcWork;
    const long dx = frame.left - (work.left + (work.right - work.left - (frame.right - frame.left)) / 2);
    const long dy = frame.top - (work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2);
    std::printf("'%s': style %#llx, extended %#llx, frame %ld,%ld-%ld,%ld in work area %ld,%ld-%ld,%ld\n", name,
                (unsigned long long)style, (unsigned long long)extended, frame.left, frame.top, frame.right,
                frame.bottom, work.left, work.top, work.right, work.bottom);
    int faults = 0;
    const auto fault = [&](bool failed, const char *what) {
        if (failed)
            std::printf("FAIL: '%s' %s\n", name, what), ++faults;
    };
    fault((style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU), "has no title bar with a system menu");
    // Windows draws no icon on a modal dialog frame. (Wine answers no WM_GETICON
    // from another process: the script looks for the icon in the screenshot.)
    fault(extended & WS_EX_DLGMODALFRAME, "has a modal dialog frame, which shows no icon");
    fault(extended & WS_EX_TOOLWINDOW, "is a tool window, left out of Alt+Tab and the task bar");
    fault(GetWindow(window, GW_OWNER) && !(extended & WS_EX_APPWINDOW), "is owned, so out of the task bar");
    fault(style & WS_THICKFRAME, "is resizable: its system menu offers Size");
    fault(style & WS_MAXIMIZEBOX, "is maximisable: its system menu offers Maximize");
    fault(std::labs(dx) > 3 || std::labs(dy) > 3, "is not centred on the work area within 3 px");
    return faults;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return std::fprintf(stderr, "usage: window_probe DPI COUNT\n"), 2;
    // Aware of the DPI, so every rectangle is in real pixels.
    SetProcessDPIAware();
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    int faults = 0;
    if (dpi != std::atoi(argv[1]))
        std::printf("FAIL: the system runs at %d DPI, not %s\n", dpi, argv[1]), ++faults;
    const std::vector<HWND> windows = programWindows();
    if (int(windows.size()) != std::atoi(argv[2]))
        std::printf("FAIL: %zu windows open, not %s\n", windows.size(), argv[2]), ++faults;
    for (HWND window : windows)
        faults += check(window);
    return faults == 0 ? 0 : 1;
}
