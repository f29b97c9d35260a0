#pragma once

namespace numoria {

// True for the character codes the input box lets through: Backspace and 0-9.
bool verif_Key(const int &Key);

}  // namespace numoria
