#include "platform_registry.h"

#ifdef _WIN32
#include "windows_registry.h"
#else
#include "stand_in_registry.h"
#endif

namespace numoria {

std::unique_ptr<Registry> makePlatformRegistry()
{
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<StandInRegistry>();
#endif
}

}  // namespace numoria
