#include "app/ideogram_cell.h"

#include "kit/style.h"

#include <QPainter>

#include <cmath>

namespace app {

namespace {

// The rect with each edge moved to the nearest device-pixel boundary. Cells
// that meet in device-independent pixels then meet in device pixels too at any
// scale factor, with no row half-painted over the ground between them; at
// whole factors this is the rect itself.
QRectF devicePixelCover(const QPainter &painter, const QRectF &rect)
{
    const QTransform toDevice = painter.deviceTransform();
    const QRectF device = toDevice.mapRect(rect);
    const QRectF snapped(QPointF(std::round(device.left()), std::round(device.top())),
                         QPointF(std::round(device.right()), std::round(device.bottom())));
    return toDevice.inverted().mapRect(snapped);
}

}  // namespace

IdeogramCell::IdeogramCell(int index, QWidget *parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
}

void IdeogramCell::setIdeogram(numerals::Ideogram ideogram)
{
    if (!renderer_.load(kit::ideogramPicturePath(numerals::pictureNumber(ideogram))))
        qWarning("numoria: ideogram picture %d is missing", numerals::pictureNumber(ideogram));
    // Screen readers hear the ideogram itself and, as its description, its value.
    const std::string_view character = numerals::character(ideogram);
    setAccessibleName(QString::fromUtf8(character.data(), qsizetype(character.size())));
    update();
}

void IdeogramCell::setTag(const QString &tag)
{
    tag_ = tag;
    setAccessibleDescription(tag);
}

void IdeogramCell::setTwipsGeometry(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(kit::twipsRect(left, top, width, height));
}

void IdeogramCell::paintEvent(QPaintEvent *)
{
    if (!renderer_.isValid())
        return;
    QPainter painter(this);
    renderer_.render(&painter, devicePixelCover(painter, rect()));
}

void IdeogramCell::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(index_);
    QWidget::mouseMoveEvent(event);
}

}  // namespace app
