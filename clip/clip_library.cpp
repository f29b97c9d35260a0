#include "clip/clip_library.h"

#include "clip/avi_reader.h"

#include <cmath>
#include <cstring>
#include <system_error>

namespace clip {

namespace {

// A clip asking for more than 100 frames a second is slowed down to that.
constexpr int kShortestFrameMs = 10;

// Each raw frame is given back as soon as it is a picture, so decoding never
// holds a clip twice.
ClipResult decode(const std::filesystem::path &file)
{
    AviReadResult read = readAviFile(file);
    if (!read.clip)
        return {nullptr, QString::fromStdString(read.error)};
    AviClip &avi = *read.clip;
    auto clip = std::make_shared<DecodedClip>();
    const double milliseconds = std::round(avi.microsecondsPerFrame / 1000.0);
    clip->frameIntervalMs = static_cast<int>(std::max(milliseconds, double{kShortestFrameMs}));
    const std::size_t rowBytes = static_cast<std::size_t>(avi.width) * sizeof(std::uint32_t);
    for (std::vector<std::uint32_t> &pixels : avi.frames) {
        QImage image(avi.width, avi.height, QImage::Format_ARGB32);
        for (int y = 0; y < avi.height; ++y)
            std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * avi.width, rowBytes);
        std::vector<std::uint32_t>().swap(pixels);
        clip->bytes += image.sizeInBytes();
        clip->frames.append(image);
    }
    return {std::move(clip), {}};
}

}  // namespace

ClipLibrary &ClipLibrary::instance()
{
    static ClipLibrary library;
    return library;
}

ClipLibrary::Stamp ClipLibrary::stampOf(const std::filesystem::path &file)
{
    std::error_code error;
    Stamp stamp;
    stamp.size = std::filesystem::file_size(file, error);
    stamp.time = std::filesystem::last_write_time(file, error);
    return stamp;
}

void ClipLibrary::request(const std::filesystem::path &file, QObject *receiver, Ready ready)
{
    const Stamp stamp = stampOf(file);
    Entry &entry = entries_[file];
    if (entry.stamp == stamp && entry.decoded) {
        ready(entry.result);
        return;
    }
    const bool decoding = entry.stamp == stamp && !entry.waiting.empty();
    if (!decoding) {
        // Whoever still waits for an older version of the file gets this one.
        entry.stamp = stamp;
        entry.decoded = false;
        entry.result = {};
        ++decodings_;
        workers_.start([this, file, stamp] {
            const ClipResult result = decode(file);
            QMetaObject::invokeMethod(this, [=, this] { finish(file, stamp, result); }, Qt::QueuedConnection);
        });
    }
    entry.waiting.push_back({receiver, std::move(ready)});
}

void ClipLibrary::finish(const std::filesystem::path &file, const Stamp &stamp, const ClipResult &result)
{
    Entry &entry = entries_[file];
    if (!(entry.stamp == stamp))
        return;  // the file changed meanwhile; a newer decoding is on its way
    entry.decoded = true;
    entry.result = result;
    for (const Waiting &waiting : std::exchange(entry.waiting, {}))
        if (waiting.receiver)
            waiting.ready(result);
}

}  // namespace clip
