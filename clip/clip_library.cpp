#include "clip/clip_library.h"

#include "clip/avi_reader.h"

#include <QCoreApplication>

#include <cmath>
#include <cstring>
#include <system_error>

namespace clip {

namespace {

// A clip asking for more than 100 frames a second is slowed down to that.
constexpr int kShortestFrameMs = 10;

}  // namespace

// A file decoded once: its frames at the clip's own size, or why it cannot play.
struct ClipLibrary::Decoded {
    QList<QImage> frames;
    int frameIntervalMs = 0;
    std::size_t bytes = 0;
    std::size_t pictures = 0; // frames that differ from the one before
    QString error;
};

ClipLibrary &ClipLibrary::instance()
{
    static ClipLibrary library;
    return library;
}

// Work still running when the application object goes would scale pictures
// with what it is taking down: what waits is dropped, what runs is awaited.
static void stopWorkers()
{
    ClipLibrary::instance().stop();
}

void ClipLibrary::stop()
{
    workers_.clear();
    workers_.waitForDone();
}

ClipLibrary::ClipLibrary()
{
    // One worker: a file asked for twice is decoded once, then found.
    workers_.setMaxThreadCount(1);
    qAddPostRoutine(stopWorkers);
}

ClipLibrary::~ClipLibrary() = default;

void ClipLibrary::request(const std::filesystem::path &file, const QSize &area, qreal ratio, QObject *receiver,
                          Ready ready)
{
    std::error_code error;
    Stamp stamp;
    stamp.size = std::filesystem::file_size(file, error);
    stamp.time = std::filesystem::last_write_time(file, error);
    const Key key{file, stamp, area.width(), area.height(), ratio};
    Request &request = requests_[key];
    if (request.done) {
        ready(request.result);
        return;
    }
    if (request.waiting.empty()) {
        workers_.start([this, key] {
            const ClipResult result = prepare(key);
            QMetaObject::invokeMethod(this, [=, this] { finish(key, result); }, Qt::QueuedConnection);
        });
    }
    request.waiting.push_back({receiver, std::move(ready)});
}

// On the worker: each raw frame is given back as soon as it is a picture, so
// decoding never holds a clip twice.
std::shared_ptr<const ClipLibrary::Decoded> ClipLibrary::decoded(const std::filesystem::path &file, const Stamp &stamp)
{
    {
        const std::lock_guard lock(mutex_);
        const auto found = decoded_.find(file);
        if (found != decoded_.end() && found->second.first == stamp)
            return found->second.second;
    }
    ++decodings_;
    auto clip = std::make_shared<Decoded>();
    AviReadResult read = readAviFile(file);
    if (!read.clip) {
        clip->error = QString::fromStdString(read.error);
    } else {
        AviClip &avi = *read.clip;
        const double milliseconds = std::round(avi.microsecondsPerFrame / 1000.0);
        clip->frameIntervalMs = static_cast<int>(std::max(milliseconds, double{kShortestFrameMs}));
        const std::size_t rowBytes = static_cast<std::size_t>(avi.width) * sizeof(std::uint32_t);
        for (std::vector<std::uint32_t> &pixels : avi.frames) {
            QImage image(avi.width, avi.height, QImage::Format_RGB32);
            for (int y = 0; y < avi.height; ++y)
                std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * avi.width, rowBytes);
            std::vector<std::uint32_t>().swap(pixels);
            // A frame held still shares its picture with the one before, so
            // it is stored, scaled and painted once.
            if (!clip->frames.isEmpty() && clip->frames.last() == image) {
                clip->frames.append(clip->frames.last());
                continue;
            }
            clip->bytes += image.sizeInBytes();
            ++clip->pictures;
            clip->frames.append(image);
        }
    }
    const std::lock_guard lock(mutex_);
    decoded_[file] = {stamp, clip};
    return clip;
}

ClipResult ClipLibrary::prepare(const Key &key)
{
    const auto &[file, stamp, width, height, ratio] = key;
    const std::shared_ptr<const Decoded> clip = decoded(file, stamp);
    if (clip->frames.isEmpty())
        return {nullptr, clip->error};
    const QSize device = clip->frames.first().size().scaled(QSize(width, height), Qt::KeepAspectRatio);
    const std::size_t scaledBytes = std::size_t(device.width()) * std::size_t(device.height()) * 4 * clip->pictures;
    if (clip->bytes + scaledBytes > maxClipBytes)
        return {nullptr, QStringLiteral("the clip and its scaled frames need more than %1 MiB").arg(maxClipBytes >> 20)};
    auto shown = std::make_shared<ShownClip>();
    shown->frameIntervalMs = clip->frameIntervalMs;
    for (qsizetype i = 0; i < clip->frames.size(); ++i) {
        const QImage &frame = clip->frames.at(i);
        if (i > 0 && frame.cacheKey() == clip->frames.at(i - 1).cacheKey()) {
            shown->frames.append(shown->frames.last());
            continue;
        }
        QImage scaled = frame.size() == device ? frame : frame.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        shown->frames.append(scaled);
    }
    return {std::move(shown), {}};
}

void ClipLibrary::finish(const Key &key, const ClipResult &result)
{
    Request &request = requests_[key];
    request.done = true;
    request.result = result;
    for (const Waiting &waiting : std::exchange(request.waiting, {}))
        if (waiting.receiver)
            waiting.ready(result);
}

}  // namespace clip
