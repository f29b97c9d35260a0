#include "number_texts.h"

namespace numoria::bench {

const std::vector<std::u16string> &numberTexts()
{
    static const std::vector<std::u16string> texts = [] {
        std::vector<std::u16string> all;
        all.reserve(kNumberCount);
        for (int number = 0; number < kNumberCount; ++number) {
            const std::string digits = std::to_string(number);
            all.emplace_back(digits.begin(), digits.end());
        }
        return all;
    }();
    return texts;
}

}  // namespace numoria::bench
