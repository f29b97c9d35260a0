// The convert button over any text typed or pasted as UTF-8.
#include "click_sequence_check.h"
#include "fuzz_text.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace numoria::fuzzing;
    abortOnFault(clickSequenceFault(textsFromUtf8(data, size)));
    return 0;
}
