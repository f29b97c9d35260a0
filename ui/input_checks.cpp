#include "input_checks.h"

namespace numoria {

bool verif_Key(const int &Key)
{
    if (Key == 8)
        return true;
    return Key >= 48 && Key <= 57;
}

}  // namespace numoria
