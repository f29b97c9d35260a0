#pragma once

#include <QImage>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <memory>

namespace clip {

struct ClipResult;
struct DecodedClip;

// Stands in for the animation control: shows an AVI clip read from a file,
// silently and in a loop at the clip's own rate, smoothly scaled to the
// widget. The widget paints no background of its own, so its parent's shows
// around the picture. The frames are scaled once to the device pixels of the
// area, and the timer runs only while the widget is on screen.
class Animation : public QWidget
{
    Q_OBJECT

public:
    // What a clip may take in memory, its decoded frames and the scaled ones
    // together; a larger clip is refused like an unplayable one.
    static constexpr std::size_t maxClipBytes = 64u * 1024 * 1024;

    explicit Animation(QWidget *parent = nullptr);
    ~Animation() override;

    // Replaces the clip. The file is decoded once per process, away from the
    // window, and shows when it is ready; until then the area is empty. A
    // file that cannot be played leaves it empty and writes one warning
    // naming the file and the reason. An empty path only empties the area.
    void open(const std::filesystem::path &file);

    bool isPlaying() const { return timer_.isActive(); }
    int frameCount() const { return static_cast<int>(shown_.size()); }
    int currentFrame() const { return current_; }
    int frameIntervalMs() const { return timer_.interval(); }
    // A frame as it is painted, in device pixels.
    QImage shownFrame(int index) const { return index >= 0 && index < frameCount() ? shown_.at(index) : QImage(); }

signals:
    // The answer to open(): the clip shows, or it was refused with a warning.
    void answered(bool playable);

public slots:
    // What the timer does on every tick; wraps round after the last frame.
    void showNextFrame();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clear();
    void take(const ClipResult &result);
    void scaleFrames();
    void refuse(const QString &reason);
    void updateTimer();

    std::filesystem::path file_;
    std::shared_ptr<const DecodedClip> clip_;
    QList<QImage> shown_;
    qreal shownRatio_ = 0;
    int current_ = 0;
    unsigned request_ = 0;
    // Spontaneous hide events (a minimised window) leave isVisible() true.
    bool onScreen_ = false;
    QTimer timer_;
};

}  // namespace clip
