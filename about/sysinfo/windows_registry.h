#pragma once

#include "registry.h"

namespace numoria {

// The real registry, through advapi32.
class WindowsRegistry : public Registry
{
public:
    registry::Result RegOpenKeyExA(registry::Key root, const std::string &subKey,
                                   std::uint32_t options, std::uint32_t desiredAccess,
                                   registry::Key *result) override;
    registry::Result RegQueryValueExA(registry::Key key, const std::string &valueName,
                                      std::uint32_t *type, unsigned char *data,
                                      std::uint32_t *dataSize) override;
    registry::Result RegCloseKey(registry::Key key) override;
};

}  // namespace numoria
