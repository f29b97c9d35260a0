#include "written_columns.h"

#include "number_texts.h"

#include "converter.h"
#include "ideogram.h"
#include "memory_column.h"
#include "memory_input_box.h"

#include <array>

namespace numoria::bench {

const WrittenColumns &writtenColumns()
{
    static const WrittenColumns columns = [] {
        WrittenColumns all;
        MemoryColumn column;
        for (const std::u16string &text : numberTexts()) {
            MemoryInputBox input(text);
            Converter(column, input).Command1_Click();
            all.firstCell.push_back(all.ideograms.size());
            for (int k = 0; k < column.count(); ++k)
                all.ideograms.push_back(column.picture(k));
        }
        all.firstCell.push_back(all.ideograms.size());
        return all;
    }();
    return columns;
}

const std::string &tagOf(int ideogram)
{
    static const auto tags = [] {
        std::array<std::string, ideogram::Last - ideogram::First + 1> all;
        for (int digit = 0; digit <= 9; ++digit)
            all[static_cast<std::size_t>(digit)] = std::to_string(digit);
        all[ideogram::Ten - ideogram::First] = kTenTag;
        all[ideogram::Hundred - ideogram::First] = kHundredTag;
        all[ideogram::Thousand - ideogram::First] = kThousandTag;
        return all;
    }();
    return tags[static_cast<std::size_t>(ideogram - ideogram::First)];
}

}  // namespace numoria::bench
