#pragma once

#include "input_box.h"

#include <utility>

namespace numoria {

// Input box for tests and tools: remembers every text the converter wrote.
class MemoryInputBox : public InputBox
{
public:
    explicit MemoryInputBox(std::u16string text = {}) : text_(std::move(text)) {}

    std::u16string text() const override { return text_; }
    void setText(const std::u16string &text) override
    {
        text_ = text;
        ++rewrites_;
    }
    int rewrites() const { return rewrites_; }

private:
    std::u16string text_;
    int rewrites_ = 0;
};

}  // namespace numoria
