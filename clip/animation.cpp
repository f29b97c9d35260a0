#include "clip/animation.h"

#include "clip/clip_limits.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QtDebug>

#include <algorithm>
#include <limits>

namespace clip {

namespace {

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

// The windows open the clip again at every language switch: a file says
// what is wrong with it once, until it changes or a clip plays. An empty
// reason only forgets the last warning.
void warnOnce(const std::filesystem::path &file, const std::string &version, const QString &reason)
{
    static QString lastWarning;
    const QString warning =
        singleLine(QStringLiteral("Animation: cannot play the clip \"%1\": %2").arg(displayName(file), reason));
    if (!reason.isEmpty() && lastWarning != warning + QString::fromStdString(version))
        qWarning().noquote() << warning;
    lastWarning = reason.isEmpty() ? QString() : warning + QString::fromStdString(version);
}

}  // namespace

Animation::Animation(QWidget *parent) : QWidget(parent)
{
    // Its own ground, so that a new picture repaints this widget alone.
    setAutoFillBackground(true);
    connect(&timer_, &QTimer::timeout, this, &Animation::showNextFrame);
}

Animation::~Animation() = default;

void Animation::open(const std::filesystem::path &file)
{
    dropClip();
    file_ = file;
    requestFrames();
}

// Frames for the area as it is now, read on a thread of this widget's own;
// an answer to an older request is not for these.
void Animation::requestFrames()
{
    const unsigned request = ++request_;
    worker_ = {};  // an older reading stops after the frame it is on
    area_ = deviceArea();
    if (file_.empty())
        return;
    const qreal ratio = devicePixelRatioF();
    worker_ = std::jthread([=, this, file = file_, area = area_, frame = current_](std::stop_token stop) {
        auto opened = std::make_shared<ScaledClip::Opened>(ScaledClip::open(file, area, ratio, frame, stop));
        if (!stop.stop_requested())
            QMetaObject::invokeMethod(
                this, [=, this] { request == request_ ? take(std::move(*opened)) : void(); }, Qt::QueuedConnection);
    });
}

void Animation::take(ScaledClip::Opened opened)
{
    clip_ = std::move(opened.clip);
    version_ = std::move(opened.version);
    if (!clip_) {
        warnOnce(file_, version_, opened.error);
        shown_ = {};
    } else {
        warnOnce(file_, version_, {});
        current_ = std::min(current_, frameCount() - 1);
        QString error;
        shown_ = clip_->picture(current_, error);
        scheduleNextPicture();
    }
    updateTimer();
    update();
    emit answered(clip_ != nullptr);
}

void Animation::showNextFrame()
{
    if (!clip_ || clip_->isStill())
        return;
    const int frameMs = clip_->frameIntervalMs();
    pendingMs_ += timer_.interval();
    const qint64 steps = pendingMs_ / frameMs;
    pendingMs_ -= steps * frameMs;
    current_ = static_cast<int>((current_ + steps) % frameCount());
    QString error;
    shown_ = clip_->picture(current_, error);
    // A clip decoded as it plays can still find its file cut short.
    if (shown_.isNull()) {
        warnOnce(file_, version_, error);
        dropClip();
        return;
    }
    scheduleNextPicture();
    // Painted at once: asking for an update would wake the program a second
    // time for it.
    repaint();
}

// A picture held still for several frames costs one tick, not one a frame;
// the wait is counted in 64 bits, since a clip may ask for 71 minutes a frame.
void Animation::scheduleNextPicture()
{
    const qint64 due = qint64{clip_->framesHeldFrom(current_)} * clip_->frameIntervalMs() - pendingMs_;
    const int interval = static_cast<int>(std::clamp<qint64>(due, kShortestTickMs, std::numeric_limits<int>::max()));
    if (interval != timer_.interval())
        timer_.setInterval(interval);
}

// The picture on show stays until the next answer replaces it.
void Animation::dropClip()
{
    timer_.stop();
    clip_.reset();
    current_ = 0;
    pendingMs_ = 0;
    update();
}

void Animation::updateTimer()
{
    const bool moving = clip_ && !clip_->isStill() && onScreen_ && !window()->isMinimized();
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

void Animation::paintEvent(QPaintEvent *)
{
    // Frames are scaled once, for the area in device pixels: a new size or a
    // screen of another scale asks for them again when next painted.
    if (deviceArea() != area_)
        requestFrames();
    if (shown_.isNull())
        return;
    const QSize area = shown_.deviceIndependentSize().toSize();
    QPainter painter(this);
    painter.drawImage(QPoint((width() - area.width()) / 2, (height() - area.height()) / 2), shown_);
}

}  // namespace clip
