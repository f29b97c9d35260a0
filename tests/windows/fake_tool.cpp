// Stands in for the system-information tool: writes the command line it was
// started with into started.txt beside itself.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH];
    DWORD end = GetModuleFileNameW(nullptr, path, MAX_PATH);
    while (end > 0 && path[end - 1] != L'\\')
        --end;
    lstrcpyW(path + end, L"started.txt");
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, GetCommandLineA(), DWORD(lstrlenA(GetCommandLineA())), &written, nullptr);
    return CloseHandle(file) ? 0 : 1;
}
