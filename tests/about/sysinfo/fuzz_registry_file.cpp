#include "registry_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes must parse; lookups on the result must stay in bounds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const numoria::RegistryFile file = numoria::RegistryFile::parse(text);
    for (std::string_view key : {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "SOFTWARE", ""}) {
        file.hasKey(key);
        if (const numoria::RegistryValue *value = file.findValue(key, "PATH"))
            (void)value->data.size();
    }
    return 0;
}
