#include "ideogram.h"

namespace numoria::ideogram {

const char *character(int id)
{
    static const char *const characters[] = {
        "零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "百", "千",
    };
    return isValid(id) ? characters[id - First] : "";
}

}  // namespace numoria::ideogram
