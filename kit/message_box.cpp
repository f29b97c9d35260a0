#include "kit/message_box.h"

#include <QMessageBox>

namespace kit {

namespace {

MessageHandler &currentHandler()
{
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void showMessage(QWidget *parent, const Message &message)
{
    if (const MessageHandler &handler = currentHandler()) {
        handler(parent, message);
        return;
    }
    QMessageBox box(toQt(message.icon), message.title, message.text, QMessageBox::Ok, parent);
    box.exec();
}

MessageHandler setMessageHandler(MessageHandler handler) { return std::exchange(currentHandler(), std::move(handler)); }

}  // namespace kit
