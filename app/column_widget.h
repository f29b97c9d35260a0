#pragma once

#include "numerals/numerals.h"

#include <QWidget>

#include <array>
#include <vector>

class QSvgRenderer;

namespace app {

class IdeogramCell;

// The ideogram column: cells of its own width stacked from its top, edge to
// edge. Cell 0 is never removed; cells below it exist from their drawing to
// the next clearing. Each ideogram's picture is read once and shared.
class ColumnWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ColumnWidget(QWidget *parent);

    // Removes every cell but cell 0, which keeps its picture and tag.
    void clear();

    // Clears, then writes cell 0 and adds one cell below another for the
    // rest, each with its tooltip: `tooltipPrefix` and the cell's tag. A new
    // cell is shown only once it has its picture, tag and place, so it is
    // never seen at cell 0's place or with a wrong picture.
    void draw(const numerals::Column &column, const QString &tooltipPrefix);

private:
    void write(IdeogramCell *cell, const numerals::Cell &value, const QString &tooltipPrefix);
    QSvgRenderer *picture(numerals::Ideogram ideogram);

    std::vector<IdeogramCell *> cells_;
    std::array<QSvgRenderer *, 13> pictures_{};
};

}  // namespace app
