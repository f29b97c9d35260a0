#pragma once

#include <QString>

namespace numoria {

// Where the embedded pictures live in the resources.
QString ideogramPicturePath(int ideogram);
QString logoPath();

}  // namespace numoria
