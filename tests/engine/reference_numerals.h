#pragma once

#include <string>
#include <vector>

// A second, independent way of writing a number in Chinese numerals, used to
// check the converter: the usual place-by-place rule with one 零 standing for
// any run of zeros before a non-zero digit, and ten thousands written as a
// count of thousands (d 十 [d] 千).
struct ReferenceCell {
    int ideogram;
    std::string tag;
    bool operator==(const ReferenceCell &) const = default;
};

std::vector<ReferenceCell> referenceNumerals(int number);
