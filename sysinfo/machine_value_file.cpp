#include "sysinfo/machine_value.h"

#include "sysinfo/reg_file.h"

#include <fstream>
#include <system_error>

namespace sysinfo {

namespace {

constexpr std::size_t kMaxFileBytes = 1024 * 1024;

std::optional<std::string> readSmallFile(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    // One byte more than allowed tells an oversized file, even a growing one.
    std::string text(kMaxFileBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad())
        return std::nullopt;
    const auto length = std::size_t(in.gcount());
    if (length > kMaxFileBytes)
        return std::nullopt;
    text.resize(length);
    return text;
}

}  // namespace

std::optional<MachineValue> readValueFromFile(const std::filesystem::path &file, const std::string &keyPath,
                                              const std::string &valueName)
{
    const std::optional<std::string> text = readSmallFile(file);
    if (!text)
        return std::nullopt;
    const RegFile registry = RegFile::parse(*text);
    const MachineValue *value = registry.findValue(keyPath, valueName);
    if (!value)
        return std::nullopt;
    return *value;
}

std::optional<MachineValue> readMachineValue(const std::string &keyPath, const std::string &valueName)
{
    return readValueFromFile(standInRegistryFile, keyPath, valueName);
}

}  // namespace sysinfo
