#pragma once

#include "ideogram_column.h"

#include <algorithm>
#include <array>
#include <string>

namespace numoria::bench {

// The leanest column the engine can write to: nine fixed cells, no checks and
// no allocation, so that what is timed is the
// engine's own work rather than the bookkeeping of the checked test column.
class ArrayColumn : public IdeogramColumn
{
public:
    ArrayColumn();

    int count() const override { return count_; }
    int picture(int index) const override { return cells_[slot(index)].picture; }
    std::string tag(int index) const override;
    float top(int index) const override { return cells_[slot(index)].top; }
    float height(int index) const override { return cells_[slot(index)].height; }

protected:
    void load(int index) override;
    void unload(int index) override;
    void setPicture(int index, int ideogram) override { cells_[slot(index)].picture = ideogram; }
    void setTag(int index, const std::string &tag) override;
    void setTop(int index, float top) override { cells_[slot(index)].top = top; }
    void show(int index) override { cells_[slot(index)].visible = true; }

private:
    struct Cell {
        int picture = 0;
        // Tags are at most "1000": a fixed buffer spares std::string's
        // general assignment.
        std::array<char, 8> tag{};
        std::size_t tagLength = 0;
        float top = 0;
        float height = 0;
        bool visible = false;
    };

    // The engine never goes past cell 8 (the tests prove it); a stray index
    // lands on the last cell rather than outside the array.
    static std::size_t slot(int index) { return std::min(static_cast<std::size_t>(index), kCells - 1); }

    static constexpr std::size_t kCells = 9;
    std::array<Cell, kCells> cells_;
    int count_ = 1;
};

}  // namespace numoria::bench
