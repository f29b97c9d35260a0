#pragma once

// One value of the machine's registry below HKEY_LOCAL_MACHINE, read-only:
// the registry itself on Windows, the stand-in file /etc/numoria/registry.reg
// elsewhere. Plain C++; names and texts are UTF-8, so a path in any script
// comes through (Windows stores texts as UTF-16 and the reader converts them).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sysinfo {

inline constexpr std::uint32_t typeString = 1;  // REG_SZ
inline constexpr std::uint32_t typeDword = 4;   // REG_DWORD, little-endian

struct MachineValue {
    std::uint32_t type = 0;
    std::vector<unsigned char> data;  // as stored; a REG_SZ may end in its NUL
};

// The registry is read into a buffer of this many characters: a longer text,
// or other data of more bytes, is not read, as the read would fail.
inline constexpr std::size_t maxValueLength = 1024;

// Nothing when the key or the value is absent or cannot be read.
std::optional<MachineValue> readMachineValue(const std::string &keyPath, const std::string &valueName);

#ifndef _WIN32
inline const std::filesystem::path standInRegistryFile = "/etc/numoria/registry.reg";

// The same lookup in a given stand-in file; a missing, unreadable, oversized
// (over 1 MiB) or non-regular file holds no values.
std::optional<MachineValue> readValueFromFile(const std::filesystem::path &file, const std::string &keyPath,
                                              const std::string &valueName);
#endif

}  // namespace sysinfo
