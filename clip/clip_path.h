#pragma once

#include <QString>

#include <filesystem>

namespace clip {

// numoria.avi in the directory of the running executable (symbolic links
// resolved), kept as the very bytes the system names it by. Empty when that
// directory cannot be known, after one warning: no other clip is ever read.
std::filesystem::path clipPath();

// A path for the standard library: built from UTF-16 on Windows, so a folder
// named in any script opens, whatever the ANSI code page; in the file
// system's 8-bit encoding elsewhere.
std::filesystem::path filesystemPath(const QString &path);

}  // namespace clip
