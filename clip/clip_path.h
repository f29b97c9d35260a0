#pragma once

#include <filesystem>

namespace clip {

// numoria.avi in the directory of the running executable (symbolic links
// resolved), kept as the very bytes the system names it by. Empty when that
// directory cannot be known, after one warning: no other clip is ever read.
std::filesystem::path clipPath();

} // namespace clip
