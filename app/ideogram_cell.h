#pragma once

#include "numerals/numerals.h"

#include <QSvgRenderer>
#include <QWidget>

namespace app {

// One cell of the ideogram column: a picture stretched to the cell, the value
// it stands for (its tag), and its place in twips.
class IdeogramCell : public QWidget
{
    Q_OBJECT

public:
    IdeogramCell(int index, QWidget *parent);

    int index() const { return index_; }
    QString tag() const { return tag_; }

    // The picture is read from the resources each time it is set.
    void setIdeogram(numerals::Ideogram ideogram);
    void setTag(const QString &tag);

    float leftTwips() const { return left_; }
    float topTwips() const { return top_; }
    float widthTwips() const { return width_; }
    float heightTwips() const { return height_; }
    void setTwipsGeometry(float left, float top, float width, float height);

signals:
    void mouseMoved(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int index_;
    QString tag_;
    QSvgRenderer renderer_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

}  // namespace app
