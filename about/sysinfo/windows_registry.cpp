#include "windows_registry.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace numoria {

namespace {

// Predefined roots are 32-bit values that Windows sign-extends into a 64-bit
// HKEY (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 there); opened keys are
// handed back unchanged.
HKEY toHkey(registry::Key key)
{
    if (registry::isPredefinedRoot(key)) {
        const auto root = static_cast<LONG>(static_cast<std::uint32_t>(key));
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root));
    }
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

registry::Result WindowsRegistry::RegOpenKeyExA(registry::Key root, const std::string &subKey,
                                                std::uint32_t options, std::uint32_t desiredAccess,
                                                registry::Key *result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    HKEY opened = nullptr;
    const LONG status = ::RegOpenKeyExA(toHkey(root), subKey.c_str(), options,
                                        static_cast<REGSAM>(desiredAccess), &opened);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<registry::Key>(opened) : 0;
    return status;
}

registry::Result WindowsRegistry::RegQueryValueExA(registry::Key key, const std::string &valueName,
                                                   std::uint32_t *type, unsigned char *data,
                                                   std::uint32_t *dataSize)
{
    DWORD valueType = 0;
    DWORD size = dataSize ? static_cast<DWORD>(*dataSize) : 0;
    const LONG status = ::RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr,
                                           type ? &valueType : nullptr,
                                           reinterpret_cast<LPBYTE>(data),
                                           dataSize ? &size : nullptr);
    if (type)
        *type = valueType;
    if (dataSize)
        *dataSize = size;
    return status;
}

registry::Result WindowsRegistry::RegCloseKey(registry::Key key)
{
    return ::RegCloseKey(toHkey(key));
}

}  // namespace numoria
