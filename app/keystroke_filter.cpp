#include "app/keystroke_filter.h"

#include "numerals/numerals.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>

#include <optional>

namespace app {

namespace {

constexpr char16_t kBackspace = u'\b';
constexpr char16_t kEnter = u'\r';
constexpr char16_t kEscape = u'\x1b';
constexpr char16_t kDelete = u'\x7f';

bool altOrMeta(const QKeyEvent &event) { return event.modifiers() & (Qt::AltModifier | Qt::MetaModifier); }

// Ctrl with a letter or one of @ [ \ ] ^ _ types the control code in the
// low five bits of its ASCII character (Ctrl+A 1, Ctrl+[ 27).
std::optional<int> controlCode(int key)
{
    if (key >= Qt::Key_At && key <= Qt::Key_Underscore)
        return key & 0x1f;
    return std::nullopt;
}

bool isAcceptedCode(int code) { return code == kBackspace || numerals::isDigit(char16_t(code)); }

// The character code a key press types: control characters included (Enter
// 13, Escape 27, Ctrl+C 3, Backspace and Ctrl+H 8, Ctrl+Backspace 127),
// nothing for keys that only edit or move (Delete, arrows, Tab) nor for
// Alt+key and Meta+key.
std::optional<int> characterCode(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    const bool alt = altOrMeta(event);
    const QString text = event.text();

    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return std::nullopt;  // focus, editing and moving keys type nothing, whatever text they carry
    case Qt::Key_Backspace:
        return control ? int(kDelete) : kBackspace;  // Ctrl+Backspace types DEL, as Ctrl+? does
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return alt ? std::nullopt : std::optional<int>(kEnter);
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }
    if (alt && !control)
        return std::nullopt;  // menu mnemonics and desktop shortcuts
    if (control && !alt) {
        // X11 hands the control code as text; a synthetic event may carry the
        // plain letter instead, so the key decides.
        if (const auto code = controlCode(event.key()))
            return code;
        if (!text.isEmpty() && text.front().unicode() < 32)
            return text.front().unicode();
        return std::nullopt;
    }
    if (text.isEmpty())
        return std::nullopt;
    const char16_t first = text.front().unicode();
    if (first == kDelete || first == u'\t')
        return std::nullopt;
    return first;
}

}  // namespace

KeystrokeFilter::KeystrokeFilter(QWidget *target) : QObject(target) { target->installEventFilter(this); }

bool KeystrokeFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event == forwarded_)
        return false;
    switch (event->type()) {
    case QEvent::InputMethod:
        filterCommit(*static_cast<QInputMethodEvent *>(event));
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        return filterKey(watched, *static_cast<QKeyEvent *>(event));
    default:
        return QObject::eventFilter(watched, event);
    }
}

// True when the key must not reach the widget.
bool KeystrokeFilter::filterKey(QObject *target, QKeyEvent &event)
{
    const std::optional<int> code = characterCode(event);
    if (!code) {
        // Alt+key and Meta+key type nothing, yet the box would insert their
        // text. (X11 hands AltGr's character with no Alt held: that one is typed.)
        const QString text = event.text();
        return event.type() == QEvent::KeyPress && altOrMeta(event) && !text.isEmpty() && text.front().isPrint();
    }
    if (event.type() == QEvent::ShortcutOverride) {
        // A typed character belongs to the box: keep it from every shortcut so
        // that it arrives here as a key press.
        event.accept();
        return true;
    }
    if (!isAcceptedCode(*code)) {
        emit refused();
        return true;
    }
    if (*code == kBackspace && event.key() != Qt::Key_Backspace) {
        // Code 8 erases a character whichever key typed it (Ctrl+H too).
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
        const QScopedValueRollback<const QEvent *> passThrough(forwarded_, &backspace);
        QCoreApplication::sendEvent(target, &backspace);
        return true;
    }
    return false;
}

// Only committed text stays in the box (a preedit string is a passing show):
// its digits go in, and any other typed character is refused.
void KeystrokeFilter::filterCommit(QInputMethodEvent &event)
{
    const QString typed = event.commitString();
    QString digits;
    bool refusedAny = false;
    for (const QChar c : typed) {
        if (numerals::isDigit(c.unicode()))
            digits += c;
        else
            refusedAny = refusedAny || !isAcceptedCode(c.unicode());
    }
    if (digits.size() == typed.size())
        return;
    event.setCommitString(digits, event.replacementStart(), event.replacementLength());
    if (refusedAny)
        emit refused();
}

}  // namespace app
