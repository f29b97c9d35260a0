#pragma once

#include <QApplication>

#include <memory>

namespace app {

// The application object, made as quickly as a bare window starts: the font
// configuration is read on a second thread while the display opens, instead
// of holding up the first text. A display that cannot be used ends the
// program with one line naming the cause, and exit status 2.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv);

}  // namespace app
