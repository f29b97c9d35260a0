#include "kit/centring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>

namespace kit {

namespace {

// How often, and how long, to look for the frame a manager puts round the window.
constexpr int kFrameCheckMilliseconds = 25;
constexpr int kFrameChecks = 80;

class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget *window) : QObject(window), window_(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !timer_) {
            place();
            timer_ = startTimer(kFrameCheckMilliseconds);
        }
        return false;
    }

    void timerEvent(QTimerEvent *) override
    {
        const QMargins frame = this->frame();
        if (frame != placedWith_)
            place();
        // Framed, or no manager frames it: either way it is placed for good.
        if (!frame.isNull() || ++checks_ == kFrameChecks) {
            window_->removeEventFilter(this);
            killTimer(timer_);
            deleteLater();
        }
    }

private:
    QMargins frame() const { return window_->windowHandle() ? window_->windowHandle()->frameMargins() : QMargins(); }

    void place()
    {
        placedWith_ = frame();
        const QScreen *screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QSize outer = window_->size().grownBy(placedWith_);
        const QPoint frameCorner = screen->availableGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
        // Placed by its client area: managers read a frame position each their own way.
        window_->setGeometry(QRect(frameCorner + QPoint(placedWith_.left(), placedWith_.top()), window_->size()));
    }

    QWidget *window_;
    QMargins placedWith_;
    int timer_ = 0;
    int checks_ = 0;
};

}  // namespace

void centreWhenShown(QWidget *window) { new FrameCentring(window); }

}  // namespace kit
