#pragma once

#include "clip/avi_reader.h"
#include "clip/clip_file.h"
#include "clip/frame_decoder.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace clip {

// A clip's frames as they are shown: scaled, aspect kept, to the device
// pixels of an area. When its pictures fit in kMaxHeldPictureBytes they are
// all made at once and held, each once however many frames show it;
// otherwise each frame is decoded from the file when it comes due, as the
// animation control does, and only the state of the one being decoded is held.
class ScaledClip
{
public:
    struct Opened
    {
        std::unique_ptr<ScaledClip> clip;
        QString error;       // why it cannot play, when there is no clip
        std::string version; // of the file read, when one was opened
    };

    // Reads the file once and scales its frames to `area` for a screen of
    // `ratio`, ready to show `frame` (or the last); may run on any thread,
    // and gives up when `stop` is requested.
    static Opened open(const std::filesystem::path &file, QSize area, qreal ratio, int frame, std::stop_token stop);

    ~ScaledClip();

    int frameCount() const { return static_cast<int>(places_.size()); }
    int frameIntervalMs() const { return frameMs_; }
    // One picture for every frame: nothing to play.
    bool isStill() const { return frameCount() == 1 || (!decoder_ && pictures_.size() == 1); }
    // How many frames from `frame` on show the same picture (1 when the
    // frames are decoded as they come).
    int framesHeldFrom(int frame) const;
    // The picture of `frame`; a null picture when it can no longer be read,
    // with the reason in `error`.
    QImage picture(int frame, QString &error);

    // The bytes of scaled pictures every ScaledClip of the process holds.
    static std::int64_t heldBytesOfAll();

private:
    struct Picture
    {
        QImage image;
        int firstFrame = 0; // shown from this frame to the next picture's first
    };

    ScaledClip(const AviClip &avi, std::span<const std::uint8_t> bytes, QSize device, qreal ratio);
    QString decode(std::span<const std::uint8_t> chunk);
    QImage scaled() const;
    void hold(const QImage &picture, int frame);
    void setHeldBytes(std::int64_t bytes);
    std::vector<Picture>::const_iterator nextPicture(int frame) const;

    avi::BitmapFormat format_;
    QSize size_;
    QSize device_;
    qreal ratio_;
    int frameMs_;
    std::vector<std::pair<std::uint64_t, std::size_t>> places_; // each frame's bytes in the file
    std::vector<Picture> pictures_;
    std::int64_t heldBytes_ = 0;
    // Only while frames are decoded as they come.
    std::unique_ptr<ClipFile> file_;
    std::unique_ptr<avi::FrameDecoder> decoder_;
    int decoded_ = -1; // the frame the decoder holds
    QImage current_;   // its picture
    std::vector<std::uint8_t> chunk_;
};

} // namespace clip
