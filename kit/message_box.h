#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kit {

// Every message box of the program goes through here, so tests can read what
// would have been shown instead of blocking on a modal dialog.
enum class MessageIcon { None, Exclamation, Critical };

struct Message {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    bool operator==(const Message &) const = default;
};

using MessageHandler = std::function<void(QWidget *parent, const Message &)>;

// Shows a modal box with an OK button only; returns once it is closed.
void showMessage(QWidget *parent, const Message &message);

// Replaces the real box (tests); an empty handler restores it. Returns the old one.
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace kit
