#pragma once

#include <QObject>

#include <functional>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QString;
class QWidget;

namespace app {

// True for the character codes the number box lets through: Backspace (8)
// and the digits 0-9 (48-57).
bool isAcceptedKey(int code);

// The character code a key press types: control characters included (Enter
// 13, Escape 27, Ctrl+C 3, Backspace and Ctrl+H 8, Ctrl+Backspace 127),
// nothing for keys that only edit or move (Delete, arrows, Tab) nor for
// Alt+key and Meta+key.
std::optional<int> characterCode(const QKeyEvent &event);

// Hands every typed character of a widget to a handler before the widget sees
// it; the handler discards the character by setting its code to 0. Catches the
// key at the shortcut stage too, so no shortcut (copy, paste, undo...) slips past.
// Text committed by a dead key or an input method is typed too: the commit
// handler gets it whole and leaves in it what the widget may insert.
class KeystrokeFilter : public QObject
{
public:
    using Handler = std::function<void(int &code)>;
    using CommitHandler = std::function<void(QString &typed)>;

    KeystrokeFilter(QWidget *target, Handler handler, CommitHandler commitHandler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void checkCommit(QInputMethodEvent &event);

    Handler handler_;
    CommitHandler commitHandler_;
    const QEvent *forwarded_ = nullptr;
};

}  // namespace app
