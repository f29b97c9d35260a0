#include "app/column_widget.h"

#include "app/ideogram_cell.h"

namespace app {

namespace {

QString tagText(const numerals::Cell &cell)
{
    return QString::fromLatin1(cell.tag.data(), qsizetype(cell.tag.size()));
}

}  // namespace

ColumnWidget::ColumnWidget(QWidget *parent, CellCreated cellCreated) : cellCreated_(std::move(cellCreated))
{
    auto *first = new IdeogramCell(0, parent);
    first->setTwipsGeometry(240, 600, 375, 375);
    cells_.push_back(first);
    cellCreated_(first);
}

IdeogramCell *ColumnWidget::cell(int index) const
{
    return index >= 0 && index < count() ? cells_[static_cast<std::size_t>(index)] : nullptr;
}

void ColumnWidget::clear()
{
    while (cells_.size() > 1) {
        delete cells_.back();
        cells_.pop_back();
    }
}

void ColumnWidget::draw(const numerals::Column &column)
{
    clear();
    if (column.size() == 0)
        return;
    IdeogramCell *first = cells_.front();
    first->setIdeogram(column[0].ideogram);
    first->setTag(tagText(column[0]));
    for (std::size_t k = 1; k < column.size(); ++k) {
        auto *added = new IdeogramCell(static_cast<int>(k), first->parentWidget());
        added->setIdeogram(column[k].ideogram);
        added->setTag(tagText(column[k]));
        added->setTwipsGeometry(first->leftTwips(), first->topTwips() + static_cast<float>(k) * first->heightTwips(),
                                first->widthTwips(), first->heightTwips());
        cells_.push_back(added);
        cellCreated_(added);
        added->show();
    }
}

}  // namespace app
