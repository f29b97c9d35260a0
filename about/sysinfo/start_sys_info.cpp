#include "start_sys_info.h"

#include "platform_registry.h"
#include "system_info_launcher.h"
#include "system_tool.h"

#include <memory>

namespace numoria {

void StartSysInfo(QWidget *parent)
{
    std::unique_ptr<Registry> registry;
    try {
        registry = makePlatformRegistry();
    } catch (...) {
        showMessage(parent, SystemInfoLauncher::unavailableMessage());
        return;
    }
    SystemInfoLauncher launcher(*registry, &toolFileExists, &startToolDetached);
    launcher.StartSysInfo(parent);
}

}  // namespace numoria
