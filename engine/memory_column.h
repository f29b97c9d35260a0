#pragma once

#include "ideogram_column.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace numoria {

// A column held in memory that refuses what the window's control array would
// refuse: loading an index twice, leaving a hole, touching a cell not loaded.
class MemoryColumn : public IdeogramColumn
{
public:
    struct Cell {
        int picture = 0;
        std::string tag;
        float left = 0;
        float top = 0;
        float width = 0;
        float height = 0;
        bool visible = false;
    };

    struct Error : std::logic_error {
        using std::logic_error::logic_error;
    };

    MemoryColumn();

    const Cell &cell(int index) const;

    int count() const override;
    int picture(int index) const override;
    std::string tag(int index) const override;
    float top(int index) const override;
    float height(int index) const override;

    // How many cells were ever shown while standing at cell 0's place.
    int shownAtFirstPlace() const { return shownAtFirstPlace_; }

protected:
    void load(int index) override;
    void unload(int index) override;
    void setPicture(int index, int ideogram) override;
    void setTag(int index, const std::string &tag) override;
    void setTop(int index, float top) override;
    void show(int index) override;

private:
    Cell &at(int index);

    std::vector<Cell> cells_;
    int shownAtFirstPlace_ = 0;
};

}  // namespace numoria
