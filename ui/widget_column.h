#pragma once

#include "ideogram_column.h"

#include <functional>
#include <vector>

namespace numoria {

class IdeogramCell;

// The ideogram column on the window: cell 0 belongs to the window, the others
// are created hidden when appended and destroyed when cleared.
class WidgetColumn : public IdeogramColumn
{
public:
    using CellCreated = std::function<void(IdeogramCell *)>;

    WidgetColumn(IdeogramCell *first, CellCreated cellCreated);

    IdeogramCell *cell(int index) const;

    int count() const override;
    int picture(int index) const override;
    std::string tag(int index) const override;
    float top(int index) const override;
    float height(int index) const override;

protected:
    void load(int index) override;
    void unload(int index) override;
    void setPicture(int index, int ideogram) override;
    void setTag(int index, const std::string &tag) override;
    void setTop(int index, float top) override;
    void show(int index) override;

private:
    std::vector<IdeogramCell *> cells_;
    CellCreated cellCreated_;
};

}  // namespace numoria
