#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QKeyEvent;
class QWidget;

namespace app {

// True for the character codes the number box lets through: Backspace (8)
// and the digits 0-9 (48-57).
bool isAcceptedKey(int code);

// The character code a key press types:
// control characters included (Enter 13, Escape 27, Ctrl+C 3, Backspace 8),
// nothing for keys that only edit or move (Delete, arrows, Tab, Alt+letter).
std::optional<int> characterCode(const QKeyEvent &event);

// Hands every typed character of a widget to a handler before the widget sees
// it; the handler discards the character by setting its code to 0. Catches the
// key at the shortcut stage too, so no shortcut (copy, paste, undo...) slips past.
class KeystrokeFilter : public QObject
{
public:
    using Handler = std::function<void(int &code)>;

    KeystrokeFilter(QWidget *target, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler handler_;
};

}  // namespace app
