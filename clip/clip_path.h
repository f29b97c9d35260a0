#pragma once

#include <QString>

namespace clip {

// numoria.avi in the directory of the running executable (symbolic links
// resolved), joined with the platform's own separator.
QString clipPath();

} // namespace clip
