#pragma once

#include <functional>

class QWidget;

namespace app {

// Runs `work` once, when the first paint of `window` has reached the screen,
// so that what can wait never holds the window back.
void afterFirstPaint(QWidget *window, std::function<void()> work);

}  // namespace app
