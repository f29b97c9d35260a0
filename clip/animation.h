#pragma once

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

namespace clip {

// Stands in for the animation control: opens an AVI clip by file name and
// plays it silently in a loop at the clip's own rate, scaled smoothly to the
// widget. The widget paints no background of its own, so its parent's shows
// around the picture. The timer runs only while the widget is on screen.
class Animation : public QWidget
{
    Q_OBJECT

public:
    explicit Animation(QWidget *parent = nullptr);

    // Replaces the current clip. A file that cannot be played leaves the
    // area empty, writes one warning naming the file and the reason, and
    // returns false.
    bool open(const QString &filePath);

    bool isPlaying() const { return timer_.isActive(); }
    int frameCount() const { return static_cast<int>(frames_.size()); }
    int currentFrame() const { return current_; }
    int frameIntervalMs() const { return timer_.interval(); }
    QSize clipSize() const;
    // The decoded picture of one frame, at the clip's own size.
    QImage frame(int index) const;

public slots:
    // What the timer does on every tick; wraps round after the last frame.
    void showNextFrame();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void clear();
    void updateTimer();

    QList<QImage> frames_;
    int current_ = 0;
    // Spontaneous hide events (a minimised window) leave isVisible() true.
    bool onScreen_ = false;
    QTimer timer_;
};

} // namespace clip
