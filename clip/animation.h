#pragma once

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <memory>

namespace clip {

struct ClipResult;
struct ShownClip;

// Stands in for the animation control: shows an AVI clip read from a file,
// silently and in a loop at the clip's own rate, smoothly scaled to the
// widget. The widget paints no background of its own, so its parent's shows
// around the picture. The frames are scaled once to the device pixels of the
// area, and the timer runs only while the widget is on screen.
class Animation : public QWidget
{
    Q_OBJECT

public:
    explicit Animation(QWidget *parent = nullptr);
    ~Animation() override;

    // Replaces the clip. The file is decoded once per process and its frames
    // scaled once to the area, away from the window, and it shows when it is
    // ready; until then the area is empty. A file that cannot be played, or
    // that would take more memory than a clip may, leaves it empty and writes
    // one warning naming the file and the reason. An empty path only empties
    // the area.
    void open(const std::filesystem::path &file);

    bool isPlaying() const { return timer_.isActive(); }
    int frameCount() const;
    int currentFrame() const { return current_; }
    // How long each frame stands, as the clip asks (at least 10 ms).
    int frameIntervalMs() const { return frameMs_; }
    // A frame as it is painted, in device pixels.
    QImage shownFrame(int index) const;

signals:
    // The answer to open(): the clip shows, or it was refused with a warning.
    void answered(bool playable);

public slots:
    // What the timer does on every tick: moves on by the frames whose time
    // has passed, wrapping round after the last frame. A tick comes when the
    // picture changes: after one frame, after all the frames that hold the
    // same picture, or at most 25 times a second for a faster clip.
    void showNextFrame();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clear();
    void requestFrames();
    void take(const ClipResult &result);
    void updateOpacity();
    void updateTimer();
    void scheduleNextPicture();

    std::filesystem::path file_;
    std::shared_ptr<const ShownClip> clip_;
    qreal shownRatio_ = 0;
    int current_ = 0;
    int frameMs_ = 0;
    int pendingMs_ = 0;
    unsigned request_ = 0;
    // Spontaneous hide events (a minimised window) leave isVisible() true.
    bool onScreen_ = false;
    QTimer timer_;
};

}  // namespace clip
