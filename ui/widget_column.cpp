#include "widget_column.h"

#include "ideogram_cell.h"

namespace numoria {

WidgetColumn::WidgetColumn(IdeogramCell *first, CellCreated cellCreated)
    : cells_{first}, cellCreated_(std::move(cellCreated))
{
    cellCreated_(first);
}

IdeogramCell *WidgetColumn::cell(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return cells_[static_cast<std::size_t>(index)];
}

int WidgetColumn::count() const { return static_cast<int>(cells_.size()); }

int WidgetColumn::picture(int index) const
{
    const IdeogramCell *c = cell(index);
    return c ? c->picture() : 0;
}

std::string WidgetColumn::tag(int index) const
{
    const IdeogramCell *c = cell(index);
    return c ? c->tag().toStdString() : std::string();
}

float WidgetColumn::top(int index) const
{
    const IdeogramCell *c = cell(index);
    return c ? c->topTwips() : 0.0f;
}

float WidgetColumn::height(int index) const
{
    const IdeogramCell *c = cell(index);
    return c ? c->heightTwips() : 0.0f;
}

void WidgetColumn::load(int index)
{
    // The writers only ever append the next index; anything else is a bug
    // that must not take the window down.
    if (index != count()) {
        qWarning("numoria: cell %d cannot be loaded after %d cells", index, count());
        return;
    }
    const IdeogramCell *first = cells_.front();
    auto *created = new IdeogramCell(index, first->parentWidget());
    created->setTwipsGeometry(first->leftTwips(), first->topTwips(), first->widthTwips(), first->heightTwips());
    created->hide();
    cells_.push_back(created);
    cellCreated_(created);
}

void WidgetColumn::unload(int index)
{
    if (index <= 0 || index != count() - 1)
        return;
    delete cells_.back();
    cells_.pop_back();
}

void WidgetColumn::setPicture(int index, int ideogram)
{
    if (IdeogramCell *c = cell(index))
        c->setPicture(ideogram);
}

void WidgetColumn::setTag(int index, const std::string &tag)
{
    if (IdeogramCell *c = cell(index))
        c->setTag(QString::fromStdString(tag));
}

void WidgetColumn::setTop(int index, float top)
{
    if (IdeogramCell *c = cell(index))
        c->setTopTwips(top);
}

void WidgetColumn::show(int index)
{
    if (IdeogramCell *c = cell(index))
        c->show();
}

}  // namespace numoria
