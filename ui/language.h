#pragma once

#include <cstdint>

namespace numoria {

// The interface language, shared by every window and written only by the main
// window: 1 French, 2 German, 3 English.
extern std::int16_t langue;

namespace language {
constexpr std::int16_t French = 1;
constexpr std::int16_t German = 2;
constexpr std::int16_t English = 3;
}  // namespace language

}  // namespace numoria
