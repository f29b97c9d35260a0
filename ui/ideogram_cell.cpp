#include "ideogram_cell.h"

#include "ideogram.h"
#include "pictures.h"
#include "twips.h"

#include <QPainter>

namespace numoria {

IdeogramCell::IdeogramCell(int index, QWidget *parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("Image1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void IdeogramCell::setPicture(int id)
{
    picture_ = id;
    if (!renderer_.load(ideogramPicturePath(id)))
        qWarning("numoria: ideogram picture %d is missing", id);
    // Screen readers hear the ideogram itself and, as its description, its value.
    setAccessibleName(QString::fromUtf8(ideogram::character(id)));
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
    setGeometry(twipsRect(left, top, width, height));
}

void IdeogramCell::setTopTwips(float top) { setTwipsGeometry(left_, top, width_, height_); }

void IdeogramCell::paintEvent(QPaintEvent *)
{
    if (!renderer_.isValid())
        return;
    QPainter painter(this);
    renderer_.render(&painter, rect());
}

void IdeogramCell::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(index_);
    QWidget::mouseMoveEvent(event);
}

}  // namespace numoria
