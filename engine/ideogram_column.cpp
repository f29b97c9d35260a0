#include "ideogram_column.h"

namespace numoria {

void IdeogramColumn::writeFirst(int ideogram, const std::string &tag)
{
    setPicture(0, ideogram);
    setTag(0, tag);
}

void IdeogramColumn::append(int index, int ideogram, const std::string &tag)
{
    load(index);
    setPicture(index, ideogram);
    setTag(index, tag);
    setTop(index, top(0) + static_cast<float>(index) * height(0));
    show(index);
}

void IdeogramColumn::clear()
{
    for (int index = count() - 1; index >= 1; --index)
        unload(index);
}

}  // namespace numoria
