#include "sysinfo/machine_value.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace sysinfo {

namespace {
// Read-only: a normal user is denied write access to HKEY_LOCAL_MACHINE, so
// asking for it would make every look-up fail.
constexpr REGSAM kAccessMask = KEY_QUERY_VALUE;

// The wide functions throughout: the ANSI ones turn every character outside
// the code page into a question mark, so a path in another script would name
// no file.
std::wstring toWide(const std::string &text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

// Every unit converted, NULs included, so the text still ends where it did.
std::vector<unsigned char> toUtf8(const wchar_t *text, int length)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text, length, reinterpret_cast<char *>(bytes.data()), size, nullptr, nullptr);
    return bytes;
}
}  // namespace

std::optional<MachineValue> readMachineValue(const std::string &keyPath, const std::string &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, toWide(keyPath).c_str(), 0, kAccessMask, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> buffer(maxValueLength);
    DWORD type = 0;
    DWORD size = DWORD(buffer.size() * sizeof(wchar_t));
    const LONG status = RegQueryValueExW(key, toWide(valueName).c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE *>(buffer.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    MachineValue value;
    value.type = type;
    if (type == typeString) {
        value.data = toUtf8(buffer.data(), int(size / sizeof(wchar_t)));
    } else {
        const auto *bytes = reinterpret_cast<const unsigned char *>(buffer.data());
        value.data.assign(bytes, bytes + size);
    }
    return value;
}

}  // namespace sysinfo
