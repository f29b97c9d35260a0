#include "app/column_widget.h"

#include "app/ideogram_cell.h"
#include "kit/style.h"

#include <QSvgRenderer>

namespace app {

ColumnWidget::ColumnWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("column"));
    auto *first = new IdeogramCell(this);
    cells_.push_back(first);
}

void ColumnWidget::clear()
{
    while (cells_.size() > 1) {
        delete cells_.back();
        cells_.pop_back();
    }
}

void ColumnWidget::draw(const numerals::Column &column, const QString &tooltipPrefix)
{
    clear();
    const int side = width();
    cells_.front()->setGeometry(0, 0, side, side);
    if (column.size() == 0)
        return;
    write(cells_.front(), column[0], tooltipPrefix);
    for (std::size_t k = 1; k < column.size(); ++k) {
        auto *added = new IdeogramCell(this);
        write(added, column[k], tooltipPrefix);
        added->setGeometry(0, int(k) * side, side, side);
        cells_.push_back(added);
        added->show();
    }
}

void ColumnWidget::write(IdeogramCell *cell, const numerals::Cell &value, const QString &tooltipPrefix)
{
    cell->setPicture(picture(value.ideogram));
    // Screen readers hear the ideogram itself and, as its description, its value.
    const std::string_view character = numerals::character(value.ideogram);
    cell->setAccessibleName(QString::fromUtf8(character.data(), qsizetype(character.size())));
    const QString tag = QString::fromLatin1(value.tag.data(), qsizetype(value.tag.size()));
    cell->setAccessibleDescription(tag);
    cell->setToolTip(tooltipPrefix + tag + QStringLiteral("  "));
}

QSvgRenderer *ColumnWidget::picture(numerals::Ideogram ideogram)
{
    const int number = numerals::pictureNumber(ideogram);
    QSvgRenderer *&renderer = pictures_.at(std::size_t(number - numerals::pictureNumber(numerals::Ideogram::Zero)));
    if (!renderer) {
        renderer = new QSvgRenderer(kit::ideogramPicturePath(number), this);
        if (!renderer->isValid())
            qWarning("numoria: ideogram picture %d is missing", number);
    }
    return renderer;
}

}  // namespace app
