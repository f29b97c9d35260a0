#include "app/start_up.h"

#include "app/display_guard.h"
#include "app/font_preload.h"

namespace app {

std::unique_ptr<QApplication> startApplication(int &argc, char **argv)
{
    FontPreload fonts;
    DisplayGuard guard;
    auto application = std::make_unique<QApplication>(argc, argv);
    guard.opened();
    return application;
}

}  // namespace app
