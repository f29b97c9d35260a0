#include "sysinfo/reg_file.h"

#include <optional>
#include <vector>

namespace sysinfo {

namespace {

constexpr std::uint32_t kTypeBinary = 3;  // REG_BINARY

constexpr std::string_view blanks = " \t\r";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

char foldedChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string folded(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = foldedChar(c);
    return result;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (foldedChar(text[i]) != foldedChar(prefix[i]))
            return false;
    }
    return true;
}

// Windows accepts "SOFTWARE\Key\" for "SOFTWARE\Key".
std::string normalisedPath(std::string_view path)
{
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    return folded(path);
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Exactly 1 to maxDigits hex digits and nothing else.
std::optional<std::uint32_t> hexNumber(std::string_view digits, std::size_t maxDigits)
{
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + std::uint32_t(digit);
    }
    return value;
}

// Whatever follows a value may only be blanks or a comment.
bool onlyCommentLeft(std::string_view rest)
{
    rest = trimmed(rest);
    return rest.empty() || rest.front() == ';';
}

std::string_view beforeComment(std::string_view text) { return text.substr(0, text.find(';')); }

// Takes the quoted text at the front of `text` and moves `text` past the
// closing quote. Only \\ and \" are escapes in .reg files.
std::optional<std::string> takeQuoted(std::string_view &text)
{
    if (!text.starts_with('"'))
        return std::nullopt;
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (c == '\\' && (++i == text.size() || (text[i] != '\\' && text[i] != '"')))
            return std::nullopt;
        result += text[i];
    }
    return std::nullopt;
}

// "[HKEY_LOCAL_MACHINE\a\b]" gives "a\b"; other roots and deletions give nothing.
std::optional<std::string> sectionPath(std::string_view header)
{
    if (header.size() < 2 || header.front() != '[' || header.back() != ']')
        return std::nullopt;
    const std::string_view inner = header.substr(1, header.size() - 2);
    for (std::string_view root : {std::string_view("HKEY_LOCAL_MACHINE"), std::string_view("HKLM")}) {
        if (!startsWithNoCase(inner, root))
            continue;
        const std::string_view rest = inner.substr(root.size());
        if (rest.empty())
            return std::string();
        if (rest.front() == '\\')
            return normalisedPath(rest.substr(1));
    }
    return std::nullopt;
}

std::optional<MachineValue> stringValue(std::string_view data)
{
    auto text = takeQuoted(data);
    if (!text || !onlyCommentLeft(data))
        return std::nullopt;
    MachineValue value;
    value.type = typeString;
    value.data.assign(text->begin(), text->end());
    value.data.push_back(0);
    return value;
}

std::optional<MachineValue> dwordValue(std::string_view digits)
{
    const auto number = hexNumber(trimmed(beforeComment(digits)), 8);
    if (!number)
        return std::nullopt;
    MachineValue value;
    value.type = typeDword;
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<unsigned char>(*number >> shift));
    return value;
}

// "hex:01,02" or "hex(N):01,02", continuation lines already joined.
std::optional<MachineValue> hexValue(std::string_view data)
{
    MachineValue value;
    value.type = kTypeBinary;
    data.remove_prefix(3);  // "hex"
    if (!data.empty() && data.front() == '(') {
        const auto close = data.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        const auto type = hexNumber(data.substr(1, close - 1), 8);
        if (!type)
            return std::nullopt;
        value.type = *type;
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':')
        return std::nullopt;
    std::string_view list = trimmed(beforeComment(data.substr(1)));
    while (!list.empty()) {
        const auto comma = list.find(',');
        const std::string_view item = trimmed(list.substr(0, comma));
        const auto byte = hexNumber(item, 2);
        if (!byte)
            return std::nullopt;
        value.data.push_back(static_cast<unsigned char>(*byte));
        if (comma == std::string_view::npos)
            break;
        list = trimmed(list.substr(comma + 1));  // a trailing comma is tolerated
    }
    return value;
}

bool isContinuationLine(std::string_view line)
{
    return !line.empty() && line.find_first_not_of("0123456789abcdefABCDEF, \t\r\\") == std::string_view::npos;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

RegFile RegFile::parse(std::string_view text)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());

    RegFile file;
    std::map<std::string, MachineValue> *section = nullptr;
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = trimmed(lines[i]);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            // A broken header must not let its values fall into the key above.
            const auto path = sectionPath(line);
            section = path ? &file.keys_[*path] : nullptr;
            continue;
        }
        if (!section)
            continue;

        const std::optional<std::string> name = takeQuoted(line);
        line = trimmed(line);
        if (!name || !line.starts_with('='))
            continue;
        const std::string_view data = trimmed(line.substr(1));

        std::optional<MachineValue> value;
        if (startsWithNoCase(data, "hex")) {
            std::string joined(data);
            while (joined.ends_with('\\') && i + 1 < lines.size() && isContinuationLine(trimmed(lines[i + 1]))) {
                joined.pop_back();
                joined += trimmed(lines[++i]);
            }
            value = hexValue(joined);
        } else if (startsWithNoCase(data, "dword:")) {
            value = dwordValue(data.substr(6));
        } else {
            value = stringValue(data);
        }
        if (value)
            (*section)[folded(*name)] = std::move(*value);
    }
    return file;
}

const MachineValue *RegFile::findValue(std::string_view keyPath, std::string_view valueName) const
{
    const auto key = keys_.find(normalisedPath(keyPath));
    if (key == keys_.end())
        return nullptr;
    const auto value = key->second.find(folded(valueName));
    return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace sysinfo
