#include "memory_column.h"

#include "ideogram.h"

namespace numoria {

MemoryColumn::MemoryColumn()
{
    // Cell 0 as the window is designed: visible, no picture, empty tag.
    Cell first;
    first.left = 240;
    first.top = 600;
    first.width = 375;
    first.height = 375;
    first.visible = true;
    cells_.push_back(first);
}

const MemoryColumn::Cell &MemoryColumn::cell(int index) const
{
    if (index < 0 || index >= count())
        throw Error("cell " + std::to_string(index) + " is not loaded");
    return cells_[static_cast<std::size_t>(index)];
}

MemoryColumn::Cell &MemoryColumn::at(int index)
{
    return const_cast<Cell &>(static_cast<const MemoryColumn *>(this)->cell(index));
}

int MemoryColumn::count() const { return static_cast<int>(cells_.size()); }
int MemoryColumn::picture(int index) const { return cell(index).picture; }
std::string MemoryColumn::tag(int index) const { return cell(index).tag; }
float MemoryColumn::top(int index) const { return cell(index).top; }
float MemoryColumn::height(int index) const { return cell(index).height; }

void MemoryColumn::load(int index)
{
    if (index < count())
        throw Error("cell " + std::to_string(index) + " is already loaded");
    if (index != count())
        throw Error("loading cell " + std::to_string(index) + " would leave a hole");
    Cell cell = cells_.front();
    cell.picture = 0;
    cell.tag.clear();
    cell.visible = false;
    cells_.push_back(cell);
}

void MemoryColumn::unload(int index)
{
    if (index == 0)
        throw Error("cell 0 belongs to the window and cannot be unloaded");
    if (index != count() - 1)
        throw Error("unloading cell " + std::to_string(index) + " would leave a hole");
    cells_.pop_back();
}

void MemoryColumn::setPicture(int index, int id)
{
    if (!ideogram::isValid(id))
        throw Error("no picture " + std::to_string(id));
    at(index).picture = id;
}

void MemoryColumn::setTag(int index, const std::string &tag) { at(index).tag = tag; }
void MemoryColumn::setTop(int index, float top) { at(index).top = top; }

void MemoryColumn::show(int index)
{
    Cell &cell = at(index);
    if (index > 0 && cell.top == cells_.front().top)
        ++shownAtFirstPlace_;
    cell.visible = true;
}

}  // namespace numoria
