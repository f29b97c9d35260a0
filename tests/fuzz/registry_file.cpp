#include "sysinfo/reg_file.h"

#include <cstdint>
#include <cstdlib>

// Any bytes must parse, and the case of a key or a name must not change what
// is found.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto file = sysinfo::RegFile::parse({reinterpret_cast<const char *>(data), size});
    const auto swappedCase = [](std::string text) {
        for (char &c : text)
            c = ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? char(c ^ 0x20) : c;
        return text;
    };
    for (const char *key : {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "SOFTWARE\\Microsoft\\Shared Tools Location"})
        for (const char *name : {"PATH", "MSINFO", ""})
            if (file.findValue(key, name) != file.findValue(swappedCase(key), swappedCase(name)))
                std::abort();
    return 0;
}
