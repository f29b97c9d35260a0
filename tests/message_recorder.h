#pragma once

#include "message_box.h"

#include <QList>

// Collects every message box shown while it lives, instead of showing it.
class MessageRecorder
{
public:
    MessageRecorder()
        : previous_(numoria::setMessageHandler(
            [this](QWidget *, const numoria::Message &message) { messages.append(message); }))
    {
    }
    ~MessageRecorder() { numoria::setMessageHandler(previous_); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QList<numoria::Message> messages;

private:
    numoria::MessageHandler previous_;
};
