#include "kit/style.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace kit {

namespace {
constexpr int kSmallestPixelSize = 7;
}  // namespace

int twipsToPixels(float twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

QRect twipsRect(float left, float top, float width, float height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void paintBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - QPoint(window->width() / 2, window->height() / 2));
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
    // Halving the range of sizes finds the largest that fits in a few tries.
    int largest = base.pixelSize() > 0 ? base.pixelSize() : QFontMetrics(base).height();
    int smallest = kSmallestPixelSize;
    while (smallest < largest) {
        const int middle = (smallest + largest + 1) / 2;
        if (fits(middle))
            smallest = middle;
        else
            largest = middle - 1;
    }
    font.setPixelSize(smallest);
    return font;
}

QString ideogramPicturePath(int pictureNumber) { return QStringLiteral(":/ideograms/%1.svg").arg(pictureNumber); }

QString logoPath() { return QStringLiteral(":/logo.png"); }

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icon/%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace kit
