#pragma once

#include <string>
#include <vector>

namespace numoria::fuzzing {

// Types each text into a fresh input box and clicks the convert button, all on
// one column, checking after every click:
// - the outcome is the one the text calls for (Empty, TooLong above five
//   characters, NotDigits for anything but 0-9, otherwise Drawn);
// - the column keeps its shape (see columnFault);
// - Empty, TooLong and NotDigits drew nothing: only cell 0 is left, with the
//   picture and tag it had, and the box was not rewritten;
// - Drawn left the number without leading zeros in the box and the column
//   reads back as that number.
// Returns an empty string, or the first fault with the click that caused it.
std::string clickSequenceFault(const std::vector<std::u16string> &texts);

// Prints the fault and aborts, so that the fuzzer keeps the input.
void abortOnFault(const std::string &fault);

// A text as escaped ASCII, so that any code unit shows in a log.
std::string printable(const std::u16string &text);

}  // namespace numoria::fuzzing
