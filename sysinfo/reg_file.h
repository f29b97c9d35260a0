#pragma once

#include "sysinfo/machine_value.h"

#include <map>
#include <string>
#include <string_view>

namespace sysinfo {

// The HKEY_LOCAL_MACHINE part of a text in the Windows .reg export format:
//
//   ; comment
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   "PATH"="/usr/bin/some tool"        REG_SZ, with \\ and \" escapes, stored
//                                      with its terminating NUL
//   "Flags"=dword:0000001f             REG_DWORD, 1 to 8 hex digits
//   "Blob"=hex:01,02,ff                REG_BINARY; hex(N): gives type N;
//                                      a trailing \ continues on the next line
//
// HKLM may stand for HKEY_LOCAL_MACHINE. Sections of other roots, deletions
// ([-...] and "name"=-), unnamed values (@=, which no lookup asks for) and
// every line it does not understand are skipped, so any input at all parses.
// Key paths and value names compare without regard to the case of ASCII
// letters, as Windows compares them.
class RegFile
{
public:
    static RegFile parse(std::string_view text);

    // The key path is below HKEY_LOCAL_MACHINE, without a leading backslash.
    // Null when the key or the value is absent.
    const MachineValue *findValue(std::string_view keyPath, std::string_view valueName) const;

private:
    // Folded path -> folded value name -> value.
    std::map<std::string, std::map<std::string, MachineValue>> keys_;
};

}  // namespace sysinfo
