#pragma once

#include "registry.h"
#include "registry_file.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace numoria {

// Where the stand-in looks for HKEY_LOCAL_MACHINE on systems without a registry.
inline constexpr char standInRegistryPath[] = "/etc/numoria/registry.reg";

// Larger files are refused whole rather than read in part.
inline constexpr std::size_t standInRegistryMaxBytes = 1024 * 1024;

// Read-only registry over one .reg-style file (see RegistryFile). The file is
// read again at every RegOpenKeyExA from HKEY_LOCAL_MACHINE, so edits apply
// without a restart; an open key keeps the values it saw. A missing, unreadable,
// oversized or non-regular file reads as an empty registry. Any access mask is
// granted: nothing can be written anyway.
class StandInRegistry : public Registry
{
public:
    explicit StandInRegistry(std::filesystem::path file = standInRegistryPath);

    registry::Result RegOpenKeyExA(registry::Key root, const std::string &subKey,
                                   std::uint32_t options, std::uint32_t desiredAccess,
                                   registry::Key *result) override;
    registry::Result RegQueryValueExA(registry::Key key, const std::string &valueName,
                                      std::uint32_t *type, unsigned char *data,
                                      std::uint32_t *dataSize) override;
    registry::Result RegCloseKey(registry::Key key) override;

    std::size_t openKeyCount() const { return openKeys_.size(); }

    // The file's text, or nothing when it cannot or should not be read.
    static std::optional<std::string> readFile(const std::filesystem::path &file);

private:
    struct OpenKey {
        std::shared_ptr<const RegistryFile> file;
        std::string path;
    };

    std::filesystem::path file_;
    std::map<registry::Key, OpenKey> openKeys_;
    registry::Key nextKey_ = 1;
};

}  // namespace numoria
