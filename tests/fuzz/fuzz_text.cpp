#include "fuzz_text.h"

namespace numoria::fuzzing {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendCodePoint(std::u16string &text, char32_t c)
{
    if (c < 0x10000) {
        text += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (c >> 10));
        text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

bool isContinuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Decodes one well-formed sequence at `data`, or returns 0 when there is none.
std::size_t decodeOne(const std::uint8_t *data, std::size_t size, char32_t &out)
{
    const std::uint8_t lead = data[0];
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (length > size)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(data[i]))
            return 0;
        c = (c << 6) | (data[i] & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and values past U+10FFFF are ill-formed.
    if (c < smallest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0;
    out = c;
    return length;
}

}  // namespace

std::vector<std::u16string> textsFromUtf8(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::u16string> texts(1);
    std::size_t i = 0;
    while (i < size) {
        if (data[i] == 0xFF) {
            texts.emplace_back();
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t used = decodeOne(data + i, size - i, c);
        if (used == 0) {
            texts.back() += kReplacement;
            ++i;
        } else {
            appendCodePoint(texts.back(), c);
            i += used;
        }
    }
    return texts;
}

std::vector<std::u16string> textsFromUtf16(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::u16string> texts(1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0xFFFF)
            texts.emplace_back();
        else
            texts.back() += unit;
    }
    return texts;
}

}  // namespace numoria::fuzzing
