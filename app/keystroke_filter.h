#pragma once

#include <QObject>

class QInputMethodEvent;
class QKeyEvent;
class QWidget;

namespace app {

// Lets only digits and Backspace be typed into a widget: every other typed
// character is dropped before the widget sees it, and refused() is emitted.
// Keys that only edit or move (Delete, arrows, Home, End, Tab) pass; Alt+key
// and Meta+key type nothing. The key is caught at the shortcut stage too, so
// no shortcut (copy, paste, undo...) slips past. Text committed by a dead key
// or an input method meets the same check, character by character.
class KeystrokeFilter : public QObject
{
    Q_OBJECT

public:
    explicit KeystrokeFilter(QWidget *target);

signals:
    void refused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterKey(QObject *target, QKeyEvent &event);
    void filterCommit(QInputMethodEvent &event);

    const QEvent *forwarded_ = nullptr;
};

}  // namespace app
