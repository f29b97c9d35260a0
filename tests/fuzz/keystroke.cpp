// Any key press, as a window system or a synthetic event may hand it over:
// key code, modifier set and text all arbitrary (any UTF-16, NUL, DEL and
// control codes included). Whatever it is, the input box sees no character or
// one 16-bit code; editing, moving and focus keys and Alt+letter type nothing;
// Ctrl+letter types its control code; a plain key types the first character
// of its text; and the input check lets exactly Backspace and 0-9 through.
//
// Input bytes, a missing byte reading as 0:
//   byte 0      even: the key is one of kKeys below (byte / 2, wrapping);
//               odd: the key is bytes 1-4
//   4 bytes     the modifier set, every bit as it comes
//   4 bytes     a code handed to verif_Key on its own
//   the rest    the event's text, UTF-16 little endian (an odd last byte is dropped)
#include "input_checks.h"
#include "keystroke.h"

#include <QInputDevice>
#include <QKeyEvent>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Keys the checks treat specially, and their neighbours.
constexpr std::array kKeys = {
    Qt::Key_A, Qt::Key_C, Qt::Key_H, Qt::Key_I, Qt::Key_J, Qt::Key_M, Qt::Key_V, Qt::Key_X, Qt::Key_Z,
    Qt::Key_0, Qt::Key_5, Qt::Key_9, Qt::Key_Space, Qt::Key_Minus, Qt::Key_Comma, Qt::Key_Period,
    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter,
    Qt::Key_Escape, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Home, Qt::Key_End,
    Qt::Key_Insert, Qt::Key_PageUp, Qt::Key_F1, Qt::Key_At, Qt::Key_BracketLeft, Qt::Key_Backslash,
    Qt::Key_BracketRight, Qt::Key_AsciiCircum, Qt::Key_Underscore, Qt::Key_Control, Qt::Key_Alt,
    Qt::Key_Shift, Qt::Key_Meta, Qt::Key_AltGr, Qt::Key_unknown, Qt::Key(0)};

class Bytes
{
public:
    Bytes(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t u8() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint32_t u32()
    {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= std::uint32_t{u8()} << shift;
        return value;
    }
    QString utf16Rest()
    {
        QString text;
        for (; pos_ + 1 < size_; pos_ += 2)
            text.append(QChar(char16_t(data_[pos_] | data_[pos_ + 1] << 8)));
        pos_ = size_;
        return text;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string describe(const QKeyEvent &event)
{
    std::string text;
    for (QChar unit : event.text()) {
        char hex[8];
        std::snprintf(hex, sizeof hex, " %04x", unit.unicode());
        text += hex;
    }
    char line[160];
    std::snprintf(line, sizeof line, "key 0x%x, modifiers 0x%x, text [", static_cast<unsigned>(event.key()),
                  static_cast<unsigned>(event.modifiers().toInt()));
    return line + text + " ]";
}

void require(bool holds, const char *what, const QKeyEvent &event, std::optional<int> code)
{
    if (holds)
        return;
    std::fprintf(stderr, "numoria fuzz: %s; %s gave %s%d\n", what, describe(event).c_str(),
                 code ? "code " : "no code ", code.value_or(0));
    std::abort();
}

bool isAcceptedCode(std::int64_t code) { return code == 8 || (code >= '0' && code <= '9'); }

bool typesNothingWhatever(int key)
{
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// Keys whose code does not come from the event's text.
bool hasOwnCode(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return typesNothingWhatever(key);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Bytes bytes(data, size);
    const std::uint8_t choice = bytes.u8();
    const int key = choice % 2 == 0 ? int(kKeys[(choice / 2) % kKeys.size()]) : static_cast<int>(bytes.u32());
    const auto modifiers = Qt::KeyboardModifiers::fromInt(static_cast<int>(bytes.u32()));
    const auto lone = static_cast<std::int32_t>(bytes.u32());
    const QString text = bytes.utf16Rest();

    // A key event needs no application object, but Qt's default keyboard
    // device, made on first use, is then never freed (LeakSanitizer says so):
    // hence a device of our own.
    static const QInputDevice keyboard(QStringLiteral("fuzz keyboard"), 1, QInputDevice::DeviceType::Keyboard);
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, 0, 0, 0, text, false, 1, &keyboard);
    const std::optional<int> code = numoria::characterCode(event);

    // As the event reports them: for a modifier key itself Qt flips its own bit.
    const Qt::KeyboardModifiers held = event.modifiers();
    const bool control = held & Qt::ControlModifier;
    const bool alt = held & (Qt::AltModifier | Qt::MetaModifier);
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;

    require(!code || (*code >= 0 && *code <= 0xFFFF), "a code outside 0..65535", event, code);
    require(!typesNothingWhatever(key) || !code, "Delete, Tab, an arrow, Home or End typed something", event, code);
    if (letter && alt && !control)
        require(!code, "Alt+letter typed something", event, code);
    if (letter && control && !alt)
        require(code == key - Qt::Key_A + 1, "Ctrl+letter did not type its control code", event, code);
    if (!control && !alt && !hasOwnCode(key) && !text.isEmpty()) {
        const char16_t first = text.front().unicode();
        if (first == 0x7f || first == u'\t')
            require(!code, "a DEL or tab text typed something", event, code);
        else
            require(code == first, "a plain key did not type the first character of its text", event, code);
    }

    if (code)
        require(numoria::verif_Key(*code) == isAcceptedCode(*code), "verif_Key is wrong for this code", event, code);
    if (numoria::verif_Key(lone) != isAcceptedCode(lone)) {
        std::fprintf(stderr, "numoria fuzz: verif_Key is wrong for the code %d\n", lone);
        std::abort();
    }
    return 0;
}
