#pragma once

#include <QRect>

#include <cmath>

namespace numoria {

// The window is laid out in twips, as designed; Qt's high-DPI scaling takes
// device-independent pixels from here on. This is the one place that converts.
constexpr float kTwipsPerPixel = 15.0f;

inline int twipsToPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

inline QRect twipsRect(float left, float top, float width, float height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace numoria
