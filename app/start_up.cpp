#include "app/start_up.h"

#include "app/display_guard.h"
#include "app/font_preload.h"

namespace app {

std::unique_ptr<QApplication> startApplication(int &argc, char **argv)
{
    FontPreload fonts;
    DisplayGuard guard;
    // The windows are small: their pictures go to the X server as plain
    // images, since a shared-memory image makes each new frame of a clip
    // wait for the server to be done with the last one. The user's own
    // setting stands, and programs started from here never see ours.
    const bool plainImages = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (plainImages)
        qputenv("QT_XCB_NO_MITSHM", "1");
    auto application = std::make_unique<QApplication>(argc, argv);
    if (plainImages)
        qunsetenv("QT_XCB_NO_MITSHM");
    guard.opened();
    return application;
}

}  // namespace app
