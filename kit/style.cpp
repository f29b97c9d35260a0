#include "kit/style.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kit {

namespace {
constexpr int kSmallestPixelSize = 7;
}  // namespace

bool windowSizeCanBeFixed() { return QGuiApplication::platformName() != QLatin1String("wayland"); }

void paintBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

QString withoutAccelerator(QString caption)
{
    return caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(u'&').replace(u'\x01', u'&');
}

QFont fontFittingCaptions(const QFont &base, const QStringList &captions, const QSize &room)
{
    QFont font = base;
    const auto fits = [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        bool all = metrics.height() <= room.height();
        for (const QString &caption : captions)
            all = all && metrics.horizontalAdvance(withoutAccelerator(caption)) <= room.width();
        return all;
    };
    // Text grows about in proportion to its size, so the base font's own
    // measure (already loaded for the window) points at the answer, and a
    // step or two from there finds the largest size that fits.
    const int largest = base.pixelSize() > 0 ? base.pixelSize() : QFontMetrics(base).height();
    const QFontMetrics metrics(base);
    double scale = double(room.height()) / std::max(metrics.height(), 1);
    for (const QString &caption : captions)
        scale =
            std::min(scale, double(room.width()) / std::max(metrics.horizontalAdvance(withoutAccelerator(caption)), 1));
    const int basePixels = QFontInfo(base).pixelSize();
    int smallest = std::clamp(int(std::floor(basePixels * scale)), kSmallestPixelSize, largest);
    while (smallest > kSmallestPixelSize && !fits(smallest))
        --smallest;
    while (smallest < largest && fits(smallest + 1))
        ++smallest;
    font.setPixelSize(smallest);
    return font;
}

QString ideogramPicturePath(int pictureNumber) { return QStringLiteral(":/ideograms/%1.svg").arg(pictureNumber); }

QString logoPath() { return QStringLiteral(":/logo.png"); }

QIcon windowIcon()
{
    // Raw 32-bit ARGB pixels in the machine's byte order, so that no image
    // decoder has to be found and loaded before the first window shows.
    static const QIcon icon = [] {
        QIcon pictures;
        for (int size : {16, 32, 48, 64}) {
            QFile file(QStringLiteral(":/icon/%1.argb32").arg(size));
            const QByteArray pixels = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            // The copy owns its pixels; the bytes read go when the loop moves on.
            if (pixels.size() == size * size * 4)
                pictures.addPixmap(QPixmap::fromImage(
                    QImage(reinterpret_cast<const uchar *>(pixels.constData()), size, size, QImage::Format_ARGB32)
                        .copy()));
        }
        return pictures;
    }();
    return icon;
}

}  // namespace kit
