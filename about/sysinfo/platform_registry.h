#pragma once

#include "registry.h"

#include <memory>

namespace numoria {

// The real registry on Windows; elsewhere the stand-in file
// /etc/numoria/registry.reg.
std::unique_ptr<Registry> makePlatformRegistry();

}  // namespace numoria
