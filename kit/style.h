#pragma once

// What both windows look like: colours, the twips they are laid out in,
// centring, captions that fit, and where the pictures live.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <QStringList>

class QWidget;

namespace kit {

inline const QColor lightYellow(255, 255, 192);
inline const QColor lightCyan(192, 255, 255);
inline const QColor lightGreen(192, 255, 192);

// Layouts are written in twips, on a grid of whole device-independent
// pixels of 15 twips each; this is the one place that converts them. A value
// off the grid is a typo, and does not compile.
struct Twips {
    consteval Twips(int twips) : pixels(twips / 15)
    {
        if (twips % 15 != 0)
            throw "a layout value in twips must be a whole number of pixels";
    }
    int pixels;
};
constexpr QRect twipsRect(Twips left, Twips top, Twips width, Twips height)
{
    return QRect(left.pixels, top.pixels, width.pixels, height.pixels);
}

// Whether a window can keep one size. On Wayland, Qt's own title bar offers
// to maximise every window, and the compositor drops a client whose window
// keeps its size when maximised: there the windows may only grow.
bool windowSizeCanBeFixed();

// Fills the widget's background with a colour of its own.
void paintBackground(QWidget *widget, const QColor &colour);

// The largest size of `base`, not above its own, at which every caption fits in
// `room` on one line each; an accelerator '&' is not counted.
QFont fontFittingCaptions(const QFont &base, const QStringList &captions, const QSize &room);

// A caption as it is drawn, without its accelerator '&'.
QString withoutAccelerator(QString caption);

// Where the embedded pictures live: ideograms by their picture number.
QString ideogramPicturePath(int pictureNumber);
QString logoPath();

// The window icon, the 零 picture, at the sizes window systems ask for.
QIcon windowIcon();

}  // namespace kit
