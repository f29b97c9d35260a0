#pragma once

#include <string>

namespace numoria {
class MemoryColumn;
}

namespace numoria::fuzzing {

// Empty when the column has the shape any click must leave behind, otherwise
// what is wrong: cells 0..n all loaded and visible with n <= 8, cell k at top
// 600 + 375 k with cell 0's left and size, and every tag the one of its
// picture. Cell 0 may still be blank (no picture, no tag) before the first
// number is drawn.
std::string columnFault(const MemoryColumn &column);

// The tag a picture must carry: "0".."9", "10", "100" or "1000".
std::string tagForPicture(int picture);

}  // namespace numoria::fuzzing
