#include "clip/animation.h"

#include "clip/clip_library.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QtDebug>

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
    const unsigned request = ++request_;
    if (file.empty())
        return;
    // An answer to an older request is not this clip's.
    ClipLibrary::instance().request(file, this, [this, request](const ClipResult &result) {
        if (request == request_)
            take(result);
    });
}

void Animation::take(const ClipResult &result)
{
    if (!result.clip) {
        refuse(result.error);
    } else {
        clip_ = result.clip;
        timer_.setInterval(clip_->frameIntervalMs);
        scaleFrames();
    }
    emit answered(clip_ != nullptr);
}

// Every frame, once, at the size it is painted in device pixels.
void Animation::scaleFrames()
{
    shown_.clear();
    if (!clip_ || clip_->frames.isEmpty())
        return;
    shownRatio_ = devicePixelRatioF();
    const QSize area = clip_->frames.first().size().scaled(size(), Qt::KeepAspectRatio);
    const QSize device = (QSizeF(area) * shownRatio_).toSize();
    const std::size_t scaledBytes = std::size_t(device.width()) * std::size_t(device.height()) * 4
        * std::size_t(clip_->frames.size());
    if (clip_->bytes + scaledBytes > maxClipBytes) {
        clip_.reset();
        refuse(QStringLiteral("the clip and its scaled frames need more than %1 MiB").arg(maxClipBytes >> 20));
        return;
    }
    if (!device.isEmpty()) {
        for (const QImage &frame : clip_->frames) {
            QImage scaled = frame.size() == device ? frame
                                                   : frame.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            scaled.setDevicePixelRatio(shownRatio_);
            shown_.append(scaled);
        }
    }
    current_ = std::min(current_, std::max(frameCount() - 1, 0));
    updateTimer();
    update();
}

void Animation::refuse(const QString &reason)
{
    qWarning().noquote() << singleLine(
        QStringLiteral("Animation: cannot play the clip \"%1\": %2").arg(displayName(file_), reason));
}

void Animation::showNextFrame()
{
    if (shown_.isEmpty())
        return;
    current_ = (current_ + 1) % frameCount();
    update();
}

void Animation::clear()
{
    timer_.stop();
    clip_.reset();
    shown_.clear();
    current_ = 0;
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
    scaleFrames();
}

void Animation::paintEvent(QPaintEvent *)
{
    // Moved to a screen of another scale: the frames are scaled again, once.
    if (clip_ && devicePixelRatioF() != shownRatio_)
        scaleFrames();
    if (shown_.isEmpty())
        return;
    const QImage &frame = shown_.at(current_);
    const QSize area = frame.deviceIndependentSize().toSize();
    QPainter painter(this);
    painter.drawImage(QPoint((width() - area.width()) / 2, (height() - area.height()) / 2), frame);
}

}  // namespace clip
