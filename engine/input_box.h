#pragma once

#include <string>

namespace numoria {

// The text the user typed. Read afresh at every test, as the window may change
// it between two reads; UTF-16 so that lengths count what the user sees typed.
class InputBox
{
public:
    virtual ~InputBox() = default;
    virtual std::u16string text() const = 0;
    virtual void setText(const std::u16string &text) = 0;
};

}  // namespace numoria
