#include "stand_in_registry.h"

#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

namespace numoria {

StandInRegistry::StandInRegistry(std::filesystem::path file) : file_(std::move(file)) {}

std::optional<std::string> StandInRegistry::readFile(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    // One byte more than allowed tells an oversized file, even a growing one.
    std::string text(standInRegistryMaxBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    if (in.bad())
        return std::nullopt;
    const auto length = std::size_t(in.gcount());
    if (length > standInRegistryMaxBytes)
        return std::nullopt;
    text.resize(length);
    return text;
}

registry::Result StandInRegistry::RegOpenKeyExA(registry::Key root, const std::string &subKey,
                                                std::uint32_t, std::uint32_t,
                                                registry::Key *result)
{
    if (!result)
        return registry::InvalidParameter;
    *result = 0;

    std::shared_ptr<const RegistryFile> file;
    std::string path;
    if (root == registry::LocalMachine) {
        const auto text = readFile(file_);
        file = std::make_shared<const RegistryFile>(RegistryFile::parse(text ? *text : std::string()));
    } else if (const auto open = openKeys_.find(root); open != openKeys_.end()) {
        file = open->second.file;
        path = open->second.path;
    } else {
        // The stand-in only holds HKEY_LOCAL_MACHINE.
        return registry::isPredefinedRoot(root) ? registry::FileNotFound : registry::InvalidHandle;
    }

    if (!subKey.empty())
        path = path.empty() ? subKey : path + '\\' + subKey;
    if (!file->hasKey(path))
        return registry::FileNotFound;

    const registry::Key key = nextKey_++;
    openKeys_.emplace(key, OpenKey{std::move(file), std::move(path)});
    *result = key;
    return registry::Success;
}

registry::Result StandInRegistry::RegQueryValueExA(registry::Key key, const std::string &valueName,
                                                   std::uint32_t *type, unsigned char *data,
                                                   std::uint32_t *dataSize)
{
    const auto open = openKeys_.find(key);
    if (open == openKeys_.end())
        return registry::InvalidHandle;
    if (data && !dataSize)
        return registry::InvalidParameter;

    const RegistryValue *value = open->second.file->findValue(open->second.path, valueName);
    if (!value)
        return registry::FileNotFound;

    if (type)
        *type = value->type;
    const auto size = std::uint32_t(value->data.size());
    if (!dataSize)
        return registry::Success;
    const std::uint32_t room = *dataSize;
    *dataSize = size;
    if (!data)
        return registry::Success;
    if (room < size)
        return registry::MoreData;
    if (size > 0)
        std::memcpy(data, value->data.data(), size);
    return registry::Success;
}

registry::Result StandInRegistry::RegCloseKey(registry::Key key)
{
    if (registry::isPredefinedRoot(key))
        return registry::Success;  // as Windows does for its predefined keys
    return openKeys_.erase(key) > 0 ? registry::Success : registry::InvalidHandle;
}

}  // namespace numoria
