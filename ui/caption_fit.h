#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

namespace numoria {

// The largest size of `base`, not above its own, at which every caption fits in
// `room` on one line each; captions keep their accelerator '&' out of the count.
QFont fontFittingCaptions(const QFont &base, const QStringList &captions, const QSize &room);

// The width a caption takes with `font`, as it is drawn (without its '&').
int captionWidth(const QFont &font, const QString &caption);

}  // namespace numoria
