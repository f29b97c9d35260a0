#include "app/font_preload.h"

#ifdef NUMORIA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace app {

FontPreload::FontPreload()
{
#ifdef NUMORIA_FONTCONFIG
    // Fontconfig makes its one configuration once, whichever thread asks first.
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontPreload::~FontPreload() { wait(); }

void FontPreload::wait()
{
    if (thread_.joinable())
        thread_.join();
}

}  // namespace app
