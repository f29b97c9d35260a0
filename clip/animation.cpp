#include "clip/animation.h"

#include "clip/clip_library.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QtDebug>

namespace clip {

namespace {

// A 41-pixel decoration gains nothing from more than 25 pictures a second;
// faster clips keep their speed by skipping frames.
constexpr int kShortestTickMs = 40;

QString displayName(const std::filesystem::path &file)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(QString::fromStdWString(file.wstring()));
#else
    return QFile::decodeName(file.c_str());
#endif
}

// One line, whatever the file name holds.
QString singleLine(QString text)
{
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return text;
}

}  // namespace

Animation::Animation(QWidget *parent) : QWidget(parent)
{
    connect(&timer_, &QTimer::timeout, this, &Animation::showNextFrame);
}

Animation::~Animation() = default;

void Animation::open(const std::filesystem::path &file)
{
    clear();
    file_ = file;
    requestFrames();
}

// Frames for the area as it is now; an answer to an older request is not
// for these.
void Animation::requestFrames()
{
    const unsigned request = ++request_;
    if (file_.empty())
        return;
    shownRatio_ = devicePixelRatioF();
    const QSize area = (QSizeF(size()) * shownRatio_).toSize();
    ClipLibrary::instance().request(file_, area, shownRatio_, this, [this, request](const ClipResult &result) {
        if (request == request_)
            take(result);
    });
}

void Animation::take(const ClipResult &result)
{
    clip_ = result.clip;
    if (!clip_) {
        qWarning().noquote() << singleLine(
            QStringLiteral("Animation: cannot play the clip \"%1\": %2").arg(displayName(file_), result.error));
    } else {
        frameMs_ = clip_->frameIntervalMs;
        current_ = std::min(current_, frameCount() - 1);
        scheduleNextPicture();
    }
    updateOpacity();
    updateTimer();
    update();
    emit answered(clip_ != nullptr);
}

// A frame that fills the widget needs nothing painted under it.
void Animation::updateOpacity()
{
    setAttribute(Qt::WA_OpaquePaintEvent, clip_ && clip_->frames.first().deviceIndependentSize().toSize() == size());
}

int Animation::frameCount() const { return clip_ ? static_cast<int>(clip_->frames.size()) : 0; }

QImage Animation::shownFrame(int index) const
{
    return index >= 0 && index < frameCount() ? clip_->frames.at(index) : QImage();
}

void Animation::showNextFrame()
{
    if (!clip_)
        return;
    pendingMs_ += timer_.interval();
    const int steps = pendingMs_ / frameMs_;
    pendingMs_ -= steps * frameMs_;
    current_ = (current_ + steps) % frameCount();
    scheduleNextPicture();
    // Painted at once: asking for an update would wake the program a second
    // time for it.
    repaint();
}

// A picture held still for several frames costs one tick, not one a frame.
void Animation::scheduleNextPicture()
{
    const qint64 shown = clip_->frames.at(current_).cacheKey();
    int held = 1;
    while (held < frameCount() && clip_->frames.at((current_ + held) % frameCount()).cacheKey() == shown)
        ++held;
    const int interval = std::max(held * frameMs_ - pendingMs_, kShortestTickMs);
    if (interval != timer_.interval())
        timer_.setInterval(interval);
}

void Animation::clear()
{
    timer_.stop();
    clip_.reset();
    updateOpacity();
    current_ = 0;
    pendingMs_ = 0;
    update();
}

void Animation::updateTimer()
{
    const bool moving = frameCount() > 1 && onScreen_ && !window()->isMinimized();
    if (moving && !timer_.isActive())
        timer_.start();
    else if (!moving)
        timer_.stop();
}

void Animation::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    onScreen_ = true;
    // Minimising and restoring the window may come without a show or hide.
    window()->installEventFilter(this);
    updateTimer();
}

bool Animation::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        updateTimer();
    return QWidget::eventFilter(watched, event);
}

void Animation::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    onScreen_ = false;
    updateTimer();
}

void Animation::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateOpacity();
    if (clip_)
        requestFrames();
}

void Animation::paintEvent(QPaintEvent *)
{
    // Moved to a screen of another scale: the frames are scaled again, once.
    if (clip_ && devicePixelRatioF() != shownRatio_)
        requestFrames();
    if (!clip_)
        return;
    const QImage &frame = clip_->frames.at(current_);
    const QSize area = frame.deviceIndependentSize().toSize();
    QPainter painter(this);
    painter.drawImage(QPoint((width() - area.width()) / 2, (height() - area.height()) / 2), frame);
}

}  // namespace clip
