#include "pictures.h"

namespace numoria {

QString ideogramPicturePath(int ideogram) { return QStringLiteral(":/ideograms/%1.svg").arg(ideogram); }

QString logoPath() { return QStringLiteral(":/logo.png"); }

}  // namespace numoria
