#pragma once

#include "numerals/numerals.h"

#include <functional>
#include <vector>

class QWidget;

namespace app {

class IdeogramCell;

// The ideogram column on the main window. Cell 0 belongs to the window and is
// never removed; cells below it exist from their drawing to the next clearing.
class ColumnWidget
{
public:
    using CellCreated = std::function<void(IdeogramCell *)>;

    // Cell 0 stands at 240, 600 and is 375 twips square.
    ColumnWidget(QWidget *parent, CellCreated cellCreated);

    int count() const { return static_cast<int>(cells_.size()); }
    IdeogramCell *cell(int index) const;

    // Removes every cell but cell 0, which keeps its picture and tag.
    void clear();

    // Clears, then writes cell 0 and adds one cell below another for the
    // rest. Each new cell is shown only once it has its picture, tag and
    // place, so it is never seen at cell 0's place or with a wrong picture.
    void draw(const numerals::Column &column);

private:
    std::vector<IdeogramCell *> cells_;
    CellCreated cellCreated_;
};

}  // namespace app
