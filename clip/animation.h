#pragma once

#include "clip/scaled_clip.h"

#include <QTimer>
#include <QWidget>

#include <thread>

namespace clip {

// Stands in for the animation control: shows an AVI clip read from a file,
// silently and in a loop at the clip's own rate, smoothly scaled to the
// widget. The widget paints no background of its own, so its parent's shows
// around the picture. The timer runs only while the widget is on screen.
class Animation : public QWidget
{
    Q_OBJECT

public:
    explicit Animation(QWidget *parent = nullptr);
    ~Animation() override;

    // Replaces the clip. The file is read once, away from the window, and
    // shows when it is ready; until then the area is empty. A file that
    // cannot be played leaves it empty and writes one warning naming the file
    // and the reason, once for each version of the file. An empty path only
    // empties the area.
    void open(const std::filesystem::path &file);

    bool isPlaying() const { return timer_.isActive(); }
    int frameCount() const { return clip_ ? clip_->frameCount() : 0; }
    int currentFrame() const { return current_; }
    // How long each frame stands, as the clip asks (at least 10 ms).
    int frameIntervalMs() const { return clip_ ? clip_->frameIntervalMs() : 0; }
    // The picture shown, in device pixels.
    QImage shownPicture() const { return shown_; }

signals:
    // The answer to open(): the clip shows, or it was refused with a warning.
    void answered(bool playable);

public slots:
    // What the timer does on every tick: moves on by the frames whose time
    // has passed, wrapping round after the last. A tick comes when the
    // picture changes, at most 25 times a second.
    void showNextFrame();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dropClip();
    void requestFrames();
    void take(ScaledClip::Opened opened);
    void updateTimer();
    void scheduleNextPicture();
    QSize deviceArea() const { return (QSizeF(size()) * devicePixelRatioF()).toSize(); }

    std::filesystem::path file_;
    std::unique_ptr<ScaledClip> clip_;
    std::string version_;  // of the file the clip was read from
    QImage shown_;
    QSize area_;  // device pixels the frames were asked for
    int current_ = 0;
    qint64 pendingMs_ = 0;
    unsigned request_ = 0;
    // Spontaneous hide events (a minimised window) leave isVisible() true.
    bool onScreen_ = false;
    QTimer timer_;
    // Last, so that it is stopped and joined before anything it answers to goes.
    std::jthread worker_;
};

}  // namespace clip
