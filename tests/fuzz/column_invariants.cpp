#include "column_invariants.h"

#include "ideogram.h"
#include "memory_column.h"

namespace numoria::fuzzing {

namespace {

constexpr int kMostCells = 9;  // 九十九千九百九十九
constexpr float kLeft = 240;
constexpr float kFirstTop = 600;
constexpr float kSide = 375;

std::string cellName(int k) { return "cell " + std::to_string(k); }

}  // namespace

std::string tagForPicture(int picture)
{
    switch (picture) {
    case ideogram::Ten:
        return kTenTag;
    case ideogram::Hundred:
        return kHundredTag;
    case ideogram::Thousand:
        return kThousandTag;
    default:
        return std::to_string(picture - ideogram::Zero);
    }
}

std::string columnFault(const MemoryColumn &column)
{
    const int count = column.count();
    if (count < 1 || count > kMostCells)
        return "the column holds " + std::to_string(count) + " cells";
    for (int k = 0; k < count; ++k) {
        const MemoryColumn::Cell &cell = column.cell(k);
        const bool blankFirst = k == 0 && cell.picture == 0 && cell.tag.empty();
        if (!blankFirst) {
            if (!ideogram::isValid(cell.picture))
                return cellName(k) + " shows no ideogram (" + std::to_string(cell.picture) + ")";
            if (cell.tag != tagForPicture(cell.picture))
                return cellName(k) + " has tag \"" + cell.tag + "\" under "
                       + ideogram::character(cell.picture);
        }
        if (cell.top != kFirstTop + kSide * static_cast<float>(k))
            return cellName(k) + " stands at top " + std::to_string(cell.top);
        if (cell.left != kLeft || cell.width != kSide || cell.height != kSide)
            return cellName(k) + " does not have cell 0's left and size";
        if (!cell.visible)
            return cellName(k) + " is hidden";
    }
    if (column.shownAtFirstPlace() != 0)
        return "a cell was shown at cell 0's place";
    return {};
}

}  // namespace numoria::fuzzing
