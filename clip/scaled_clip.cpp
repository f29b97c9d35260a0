#include "clip/scaled_clip.h"

#include "clip/clip_limits.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace clip {

namespace {

std::atomic<std::int64_t> heldByAll = 0;

QString text(const std::string &reason) { return QString::fromStdString(reason); }

}  // namespace

ScaledClip::Opened ScaledClip::open(const std::filesystem::path &file, QSize area, qreal ratio, int frame,
                                    std::stop_token stop)
{
    auto clipFile = std::make_unique<ClipFile>();
    if (const std::string error = clipFile->open(file); !error.empty())
        return {nullptr, text(error), {}};
    Opened opened{nullptr, {}, clipFile->version()};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(clipFile->size()));
    const AviReadResult read =
        clipFile->read(0, bytes) ? readAvi(bytes) : AviReadResult{{}, "the file changed while it was read"};
    if (!read.clip) {
        opened.error = text(read.error);
        return opened;
    }
    const avi::AviLayout &avi = *read.clip;
    const QSize device =
        QSize(avi.format.width, std::abs(avi.format.height)).scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    std::unique_ptr<ScaledClip> clip(new ScaledClip(avi, bytes, device, ratio));

    // Counted as if no two frames were alike, without overflow for any area.
    const std::uint64_t frames = avi.frames.size();
    const std::uint64_t pictureBytes = std::uint64_t(device.width()) * std::uint64_t(device.height()) * 4;
    if (pictureBytes <= kMaxHeldPictureBytes / frames
        && std::uint64_t(avi.format.width) * std::uint64_t(std::abs(avi.format.height)) * frames
               <= kMaxPreparedPixels) {
        for (std::size_t index = 0; index < frames && !stop.stop_requested(); ++index) {
            if (opened.error = text(clip->decoder_->decode(avi.frames[index])); !opened.error.isEmpty())
                return opened;
            clip->hold(clip->scaled(), static_cast<int>(index));
        }
        clip->decoder_.reset();
    } else {
        clip->file_ = std::move(clipFile);
        if (clip->picture(std::min(frame, clip->frameCount() - 1), opened.error).isNull())
            return opened;
    }
    opened.clip = std::move(clip);
    return opened;
}

ScaledClip::ScaledClip(const avi::AviLayout &avi, std::span<const std::uint8_t> bytes, QSize device, qreal ratio)
    : format_(avi.format),
      size_(avi.format.width, std::abs(avi.format.height)),
      device_(device),
      ratio_(ratio),
      frameMs_(static_cast<int>(std::max(std::round(avi.microsecondsPerFrame / 1000.0), double{kShortestFrameMs}))),
      decoder_(std::make_unique<avi::FrameDecoder>(avi.format))
{
    for (const std::span<const std::uint8_t> frame : avi.frames)
        places_.emplace_back(frame.data() - bytes.data(), frame.size());
}

ScaledClip::~ScaledClip() { setHeldBytes(0); }

std::int64_t ScaledClip::heldBytesOfAll() { return heldByAll; }

void ScaledClip::setHeldBytes(std::int64_t bytes)
{
    heldByAll += bytes - heldBytes_;
    heldBytes_ = bytes;
}

// The decoder's picture is borrowed, not copied, until it is scaled.
QImage ScaledClip::scaled() const
{
    const QImage frame(reinterpret_cast<const uchar *>(decoder_->picture().data()), size_.width(), size_.height(),
                       size_.width() * 4, QImage::Format_RGB32);
    QImage picture =
        frame.size() == device_ ? frame.copy() : frame.scaled(device_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio_);
    return picture;
}

// The one place that decides whether a frame shows a new picture: a frame
// that looks as the one before once scaled shares its picture, so it is
// stored once and costs no tick.
void ScaledClip::hold(const QImage &picture, int frame)
{
    if (!pictures_.empty() && pictures_.back().image == picture)
        return;
    pictures_.push_back({picture, frame});
    setHeldBytes(heldBytes_ + picture.sizeInBytes());
}

std::vector<ScaledClip::Picture>::const_iterator ScaledClip::nextPicture(int frame) const
{
    return std::upper_bound(pictures_.begin(), pictures_.end(), frame,
                            [](int frame, const Picture &picture) { return frame < picture.firstFrame; });
}

int ScaledClip::framesHeldFrom(int frame) const
{
    if (decoder_)
        return 1;
    const auto next = nextPicture(frame);
    return (next == pictures_.end() ? frameCount() : next->firstFrame) - frame;
}

QImage ScaledClip::picture(int frame, QString &error)
{
    if (!decoder_)
        return std::prev(nextPicture(frame))->image;
    if (frame == decoded_)
        return current_;
    // Each loop starts again from the first frame, over an empty picture;
    // frames skipped are decoded still, as RLE frames build on them.
    if (frame < decoded_) {
        decoder_ = std::make_unique<avi::FrameDecoder>(format_);
        decoded_ = -1;
    }
    while (decoded_ < frame) {
        const auto [offset, length] = places_.at(static_cast<std::size_t>(++decoded_));
        chunk_.resize(length);
        if (!file_->read(offset, chunk_))
            error = QStringLiteral("the file changed while it was read: frame %1 is gone").arg(decoded_ + 1);
        else
            error = text(decoder_->decode(chunk_));
        if (!error.isEmpty())
            return {};
    }
    current_ = scaled();
    setHeldBytes(current_.sizeInBytes());
    return current_;
}

}  // namespace clip
