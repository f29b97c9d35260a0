#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace clip {

// What a clip may take in memory, its decoded frames and one scaled set
// together; a larger clip is refused like an unplayable one.
inline constexpr std::size_t maxClipBytes = 64u * 1024 * 1024;

// A clip's frames ready to paint: scaled to the device pixels of an area,
// opaque, in the screen's own format.
struct ShownClip {
    QList<QImage> frames;
    int frameIntervalMs = 0;
};

// Either a clip, or the one-line reason it cannot play.
struct ClipResult {
    std::shared_ptr<const ShownClip> clip;
    QString error;
};

// Decodes each clip file once per process and scales it once per size, on a
// worker thread, and hands the same frames to every widget that shows them.
// A file whose size or time of change differs from the decoded one is
// decoded again.
class ClipLibrary : public QObject
{
public:
    using Ready = std::function<void(const ClipResult &)>;

    static ClipLibrary &instance();

    // The clip in `file`, its frames scaled to fit `area` (device pixels,
    // aspect kept) for a screen of `ratio`. Calls `ready` on this thread once
    // they are ready (at once when they already are), unless `receiver` is
    // gone by then.
    void request(const std::filesystem::path &file, const QSize &area, qreal ratio, QObject *receiver, Ready ready);

    // Drops the work not started and waits for the work running; done when
    // the application object goes.
    void stop();

    // How many times a file was decoded in this process.
    int decodings() const { return decodings_; }

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time{};
        auto operator<=>(const Stamp &) const = default;
    };
    struct Decoded;
    struct Waiting {
        QPointer<QObject> receiver;
        Ready ready;
    };
    struct Request {
        bool done = false;
        ClipResult result;
        std::vector<Waiting> waiting;
    };
    using Key = std::tuple<std::filesystem::path, Stamp, int, int, qreal>;

    ClipLibrary();
    ~ClipLibrary() override;
    ClipResult prepare(const Key &key);
    std::shared_ptr<const Decoded> decoded(const std::filesystem::path &file, const Stamp &stamp);
    void finish(const Key &key, const ClipResult &result);

    std::map<Key, Request> requests_;  // this thread only
    std::mutex mutex_;
    std::map<std::filesystem::path, std::pair<Stamp, std::shared_ptr<const Decoded>>> decoded_;  // under mutex_
    std::atomic<int> decodings_ = 0;
    // Last, so that its destructor waits for work still running.
    QThreadPool workers_;
};

}  // namespace clip
