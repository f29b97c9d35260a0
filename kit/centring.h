#pragma once

class QWidget;

namespace kit {

// Centres the window's whole frame, title bar included, on its screen when it
// first shows. An X11 window manager tells the frame's size only once it has
// framed the window, so the window is placed again when the frame appears.
void centreWhenShown(QWidget *window);

}  // namespace kit
