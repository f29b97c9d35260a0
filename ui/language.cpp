#include "language.h"

namespace numoria {

std::int16_t langue = language::French;

}  // namespace numoria
