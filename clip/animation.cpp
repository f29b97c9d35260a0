#include "clip/animation.h"

#include "clip/avi_reader.h"
#include "clip/clip_path.h"

#include <QDir>
#include <QPainter>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace clip {

namespace {

// A clip asking for more than 100 frames a second is slowed down to that.
constexpr int kShortestFrameMs = 10;

QImage toImage(const AviClip &clip, const std::vector<std::uint32_t> &pixels)
{
    QImage image(clip.width, clip.height, QImage::Format_ARGB32);
    for (int y = 0; y < clip.height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * clip.width,
                    static_cast<std::size_t>(clip.width) * sizeof(std::uint32_t));
    return image;
}

// One line, whatever the file name holds.
QString singleLine(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    }
    return text;
}

} // namespace

Animation::Animation(QWidget *parent) : QWidget(parent)
{
    connect(&timer_, &QTimer::timeout, this, &Animation::showNextFrame);
}

bool Animation::open(const QString &filePath)
{
    clear();
    const AviReadResult result = readAviFile(filesystemPath(filePath));
    if (!result.clip) {
        qWarning().noquote() << singleLine(QStringLiteral("Animation: cannot play the clip \"%1\": %2")
                                               .arg(QDir::toNativeSeparators(filePath),
                                                    QString::fromStdString(result.error)));
        return false;
    }
    const AviClip &clip = *result.clip;
    frames_.reserve(static_cast<qsizetype>(clip.frames.size()));
    for (const std::vector<std::uint32_t> &pixels : clip.frames)
        frames_.append(toImage(clip, pixels));
    const double milliseconds = std::round(clip.microsecondsPerFrame / 1000.0);
    timer_.setInterval(static_cast<int>(std::max(milliseconds, double{kShortestFrameMs})));
    updateTimer();
    update();
    return true;
}

QSize Animation::clipSize() const { return frames_.isEmpty() ? QSize() : frames_.first().size(); }

QImage Animation::frame(int index) const
{
    return index >= 0 && index < frames_.size() ? frames_.at(index) : QImage();
}

void Animation::showNextFrame()
{
    if (frames_.isEmpty())
        return;
    current_ = (current_ + 1) % static_cast<int>(frames_.size());
    update();
}

void Animation::clear()
{
    timer_.stop();
    timer_.setInterval(0);
    frames_.clear();
    current_ = 0;
    update();
}

void Animation::updateTimer()
{
    const bool moving = frames_.size() > 1 && onScreen_ && !window()->isMinimized();
    if (moving && !timer_.isActive())
        timer_.start();
    else if (!moving)
        timer_.stop();
}

void Animation::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    onScreen_ = true;
    updateTimer();
}

void Animation::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    onScreen_ = false;
    updateTimer();
}

void Animation::paintEvent(QPaintEvent *)
{
    if (frames_.isEmpty())
        return;
    const QImage &frame = frames_.at(current_);
    const QSize shown = frame.size().scaled(size(), Qt::KeepAspectRatio);
    if (shown.isEmpty())
        return;
    const QPoint topLeft((width() - shown.width()) / 2, (height() - shown.height()) / 2);

    // Scale straight to device pixels, so a high-density screen gets every
    // pixel the clip has instead of an enlarged low-density picture.
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(shown) * ratio).toSize();
    QImage picture = devicePixels == frame.size()
        ? frame
        : frame.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(this);
    painter.drawImage(topLeft, picture);
}

} // namespace clip
