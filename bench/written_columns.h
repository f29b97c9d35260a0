#pragma once

#include <string>
#include <vector>

namespace numoria::bench {

// The ideograms the engine writes for each number 0..99999, taken from one
// conversion of each before timing starts, packed so that replaying them
// costs no more than reading them: replaying them measures what the column's
// operations alone cost.
struct WrittenColumns {
    std::vector<int> ideograms;          // all numbers, one after the other
    std::vector<std::size_t> firstCell;  // where each number starts, plus the end
};

const WrittenColumns &writtenColumns();

// The tag the engine gives an ideogram ("0".."9", "10", "100", "1000").
const std::string &tagOf(int ideogram);

}  // namespace numoria::bench
