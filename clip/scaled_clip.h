#pragma once

#include "clip/avi_reader.h"
#include "clip/clip_file.h"
#include "clip/frame_decoder.h"

#include <QImage>
#include <QString>

#include <filesystem>
#include <memory>
#include <stop_token>

namespace clip {

// A clip's frames scaled, aspect kept, to the device pixels of an area.
// When its pictures fit in kMaxHeldPictureBytes they are made at once and
// held, each once however many frames in a row show it; otherwise each frame
// is decoded from the file as it comes due, as the animation control does.
class ScaledClip
{
public:
    struct Opened {
        std::unique_ptr<ScaledClip> clip;
        QString error;        // why it cannot play, when there is no clip
        std::string version;  // of the file, once opened
    };

    // Reads the file once, ready to show `frame` (or the last) for a screen
    // of `ratio`. Runs on any thread, and gives up when `stop` is requested.
    static Opened open(const std::filesystem::path &file, QSize area, qreal ratio, int frame, std::stop_token stop);
    ~ScaledClip();

    int frameCount() const { return static_cast<int>(places_.size()); }
    int frameIntervalMs() const { return frameMs_; }
    // One picture for every frame: nothing to play.
    bool isStill() const { return frameCount() == 1 || (!decoder_ && pictures_.size() == 1); }
    // How many frames from `frame` on show its picture (1 when decoded as they come).
    int framesHeldFrom(int frame) const;
    // A null picture when the frame can no longer be read, with the reason in `error`.
    QImage picture(int frame, QString &error);

    // The bytes of scaled pictures held by every ScaledClip of the process.
    static std::int64_t heldBytesOfAll();

private:
    struct Picture {
        QImage image;
        int firstFrame = 0;  // shown from this frame to the next picture's first
    };

    ScaledClip(const avi::AviLayout &avi, std::span<const std::uint8_t> bytes, QSize device, qreal ratio);
    QImage scaled() const;
    void hold(const QImage &picture, int frame);
    void setHeldBytes(std::int64_t bytes);
    std::vector<Picture>::const_iterator nextPicture(int frame) const;

    avi::BitmapFormat format_;
    QSize size_;
    QSize device_;
    qreal ratio_;
    int frameMs_;
    std::vector<std::pair<std::uint64_t, std::size_t>> places_;  // each frame's bytes in the file
    std::vector<Picture> pictures_;
    std::int64_t heldBytes_ = 0;
    // Only while frames are decoded as they come: the file, and the frame decoded.
    std::unique_ptr<ClipFile> file_;
    std::unique_ptr<avi::FrameDecoder> decoder_;
    int decoded_ = -1;
    QImage current_;
    std::vector<std::uint8_t> chunk_;
};

}  // namespace clip
