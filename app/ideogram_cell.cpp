#include "app/ideogram_cell.h"

#include <QPainter>
#include <QSvgRenderer>

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

IdeogramCell::IdeogramCell(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("Image1")); }

void IdeogramCell::setPicture(QSvgRenderer *picture)
{
    picture_ = picture;
    update();
}

void IdeogramCell::paintEvent(QPaintEvent *)
{
    // A renderer whose picture is missing draws nothing by itself.
    if (!picture_)
        return;
    QPainter painter(this);
    picture_->render(&painter, devicePixelCover(painter, rect()));
}

}  // namespace app
