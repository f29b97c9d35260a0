#pragma once

#include <QWidget>

class QSvgRenderer;

namespace app {

// One cell of the ideogram column: a picture stretched to the cell.
class IdeogramCell : public QWidget
{
    Q_OBJECT

public:
    explicit IdeogramCell(QWidget *parent);

    // The picture is shared with every cell of the same ideogram.
    void setPicture(QSvgRenderer *picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *picture_ = nullptr;
};

}  // namespace app
