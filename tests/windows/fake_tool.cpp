// Stands in for the system-information tool: writes the command line it was
// started with into started.txt beside itself, in UTF-8.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH];
    DWORD end = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (end > 0 && path[end - 1] != L'\\')
        --end;
    lstrcpyW(path + end, L"started.txt");
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // UTF-8, so a path in any script is told back as it is.
    char line[4 * MAX_PATH];
    const int size = WideCharToMultiByte(CP_UTF8, 0, GetCommandLineW(), -1, line, sizeof line, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, line, size > 0 ? DWORD(size - 1) : 0, &written, nullptr);
    return CloseHandle(file) ? 0 : 1;
}
