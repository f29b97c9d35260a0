// The convert button over any sequence of UTF-16 code units, lone surrogates
// and NULs included, as a text field can hold them.
#include "click_sequence_check.h"
#include "fuzz_text.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace numoria::fuzzing;
    abortOnFault(clickSequenceFault(textsFromUtf16(data, size)));
    return 0;
}
