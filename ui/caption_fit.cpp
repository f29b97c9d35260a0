#include "caption_fit.h"

#include <QFontMetrics>

namespace numoria {

namespace {
constexpr int kSmallestPixelSize = 7;

QString withoutAccelerator(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}
}  // namespace

int captionWidth(const QFont &font, const QString &caption)
{
    return QFontMetrics(font).horizontalAdvance(withoutAccelerator(caption));
}

QFont fontFittingCaptions(const QFont &base, const QStringList &captions, const QSize &room)
{
    QFont font = base;
    int pixelSize = base.pixelSize() > 0 ? base.pixelSize() : QFontMetrics(base).height();
    for (; pixelSize > kSmallestPixelSize; --pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        bool fits = metrics.height() <= room.height();
        for (const QString &caption : captions)
            fits = fits && captionWidth(font, caption) <= room.width();
        if (fits)
            return font;
    }
    font.setPixelSize(kSmallestPixelSize);
    return font;
}

}  // namespace numoria
