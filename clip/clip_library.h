#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace clip {

// A clip decoded once: its frames at the clip's own size, and what they cost.
struct DecodedClip {
    QList<QImage> frames;
    int frameIntervalMs = 0;
    std::size_t bytes = 0;
};

// Either a clip, or the one-line reason it cannot play.
struct ClipResult {
    std::shared_ptr<const DecodedClip> clip;
    QString error;
};

// Decodes each clip file once per process, on a worker thread, and hands the
// same frames to every widget that shows it. A file whose size or time of
// change differs from the decoded one is decoded again.
class ClipLibrary : public QObject
{
public:
    using Ready = std::function<void(const ClipResult &)>;

    static ClipLibrary &instance();

    // Calls `ready` on this thread once the clip is decoded (at once when it
    // is already), unless `receiver` is gone by then.
    void request(const std::filesystem::path &file, QObject *receiver, Ready ready);

    // How many times a file was decoded in this process.
    int decodings() const { return decodings_; }

private:
    struct Stamp {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time{};
        bool operator==(const Stamp &) const = default;
    };
    struct Waiting {
        QPointer<QObject> receiver;
        Ready ready;
    };
    struct Entry {
        Stamp stamp;
        bool decoded = false;
        ClipResult result;
        std::vector<Waiting> waiting;
    };

    static Stamp stampOf(const std::filesystem::path &file);
    void finish(const std::filesystem::path &file, const Stamp &stamp, const ClipResult &result);

    std::map<std::filesystem::path, Entry> entries_;
    int decodings_ = 0;
    // Last, so that its destructor waits for a decoding still running.
    QThreadPool workers_;
};

}  // namespace clip
