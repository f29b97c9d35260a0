#pragma once

#include <QString>

#include <filesystem>

namespace clip {

// numoria.avi in the directory of the running executable (symbolic links
// resolved), joined with the platform's own separator.
QString clipPath();

// The same path for the standard library: built from UTF-16 on Windows, so a
// folder named in any script opens, whatever the ANSI code page; in the file
// system's 8-bit encoding elsewhere.
std::filesystem::path filesystemPath(const QString &path);

} // namespace clip
