#pragma once

#include "ideogram.h"

#include <string>

// The tag a picture must carry, whatever writer put it there: the digit for
// 零..九, the multiplier's value for 十, 百 and 千.
inline std::string expectedTag(int picture)
{
    switch (picture) {
    case numoria::ideogram::Ten:
        return "10";
    case numoria::ideogram::Hundred:
        return "100";
    case numoria::ideogram::Thousand:
        return "1000";
    default:
        return std::to_string(picture - numoria::ideogram::Zero);
    }
}
