#include "app/first_paint.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace app {

namespace {

class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget *window, std::function<void()> work) : QObject(window), work_(std::move(work))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window paints itself first in its pass; a queued call runs once
        // the whole pass, flush included, is done.
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    work_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

}  // namespace

void afterFirstPaint(QWidget *window, std::function<void()> work) { new FirstPaintWatcher(window, std::move(work)); }

}  // namespace app
