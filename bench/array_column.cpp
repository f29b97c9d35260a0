#include "array_column.h"

#include <cstring>

namespace numoria::bench {

ArrayColumn::ArrayColumn()
{
    // Cell 0 where the window puts it.
    cells_[0].top = 600;
    cells_[0].height = 375;
    cells_[0].visible = true;
}

void ArrayColumn::load(int index)
{
    Cell &cell = cells_[slot(index)];
    cell.top = cells_[0].top;
    cell.height = cells_[0].height;
    cell.visible = false;
    count_ = index + 1;
}

std::string ArrayColumn::tag(int index) const
{
    const Cell &cell = cells_[slot(index)];
    return std::string(cell.tag.data(), cell.tagLength);
}

void ArrayColumn::setTag(int index, const std::string &tag)
{
    Cell &cell = cells_[slot(index)];
    cell.tagLength = std::min(tag.size(), cell.tag.size());
    std::memcpy(cell.tag.data(), tag.data(), cell.tagLength);
}

void ArrayColumn::unload(int index) { count_ = index; }

}  // namespace numoria::bench
