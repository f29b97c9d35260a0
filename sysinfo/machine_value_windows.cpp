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
}  // namespace

std::optional<MachineValue> readMachineValue(const std::string &keyPath, const std::string &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, kAccessMask, &key) != ERROR_SUCCESS)
        return std::nullopt;
    MachineValue value;
    value.data.resize(maxValueBytes);
    DWORD type = 0;
    DWORD size = DWORD(value.data.size());
    const LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, value.data.data(), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    value.type = type;
    value.data.resize(size);
    return value;
}

}  // namespace sysinfo
