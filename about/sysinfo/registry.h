#pragma once

#include <cstdint>
#include <string>

namespace numoria {

// The three advapi32 registry calls the system-information button needs, with
// their Windows result codes and value types, so the lookup can run against the
// real registry, the stand-in file elsewhere, or a fake in tests.
namespace registry {

// A key handle: a predefined root (HKEY_LOCAL_MACHINE ...) or one returned by
// RegOpenKeyExA. Wide enough for a Windows HKEY.
using Key = std::uintptr_t;
// A Windows error code (LONG).
using Result = std::int32_t;

inline constexpr Key LocalMachine = 0x80000002;

inline constexpr Result Success = 0;
inline constexpr Result FileNotFound = 2;
inline constexpr Result AccessDenied = 5;
inline constexpr Result InvalidHandle = 6;
inline constexpr Result InvalidParameter = 87;
inline constexpr Result MoreData = 234;

inline constexpr std::uint32_t TypeNone = 0;
inline constexpr std::uint32_t TypeString = 1;        // REG_SZ
inline constexpr std::uint32_t TypeExpandString = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t TypeBinary = 3;        // REG_BINARY
inline constexpr std::uint32_t TypeDword = 4;         // REG_DWORD, little-endian
inline constexpr std::uint32_t TypeMultiString = 7;   // REG_MULTI_SZ
inline constexpr std::uint32_t TypeQword = 11;        // REG_QWORD

// Predefined roots live at 0x80000000 and just above.
constexpr bool isPredefinedRoot(Key key)
{
    return key >= 0x80000000u && key <= 0x800000FFu;
}

}  // namespace registry

// Names and strings are in the system's ANSI code page, as for the A calls.
class Registry
{
public:
    virtual ~Registry() = default;

    // On success *result receives the new key, which RegCloseKey must release.
    virtual registry::Result RegOpenKeyExA(registry::Key root, const std::string &subKey,
                                           std::uint32_t options, std::uint32_t desiredAccess,
                                           registry::Key *result) = 0;

    // *dataSize holds the buffer size in bytes on entry and the value's size on
    // return; a value larger than the buffer gives MoreData. type and data may
    // be null (data null: only the size is asked for).
    virtual registry::Result RegQueryValueExA(registry::Key key, const std::string &valueName,
                                              std::uint32_t *type, unsigned char *data,
                                              std::uint32_t *dataSize) = 0;

    virtual registry::Result RegCloseKey(registry::Key key) = 0;
};

}  // namespace numoria
