#pragma once

#include "kit/message_box.h"

#include <QList>

// Collects every message box shown while it lives, instead of showing it.
class MessageRecorder
{
public:
    MessageRecorder()
        : previous_(kit::setMessageHandler([this](QWidget *, const kit::Message &m) { messages.append(m); }))
    {}
    ~MessageRecorder() { kit::setMessageHandler(previous_); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<kit::Message> messages;

private:
    kit::MessageHandler previous_;
};
