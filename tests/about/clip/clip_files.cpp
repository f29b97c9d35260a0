#include "clip_files.h"

#include "avi_writer.h"
#include "sample_pictures.h"

#include <QFile>

std::vector<std::uint8_t> colourClip(int width, int height, int frames, std::uint32_t microsecondsPerFrame,
                                     std::uint32_t scale, std::uint32_t rate)
{
    AviLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = 24;
    layout.microsecondsPerFrame = microsecondsPerFrame;
    layout.scale = scale;
    layout.rate = rate;
    for (const ColourPicture &picture : sampleColourPictures(width, height, frames))
        layout.chunks.push_back({"00db", packColourRows(picture, width, height, 24, false)});
    return writeAvi(layout);
}

bool writeClipFile(const QString &path, const std::vector<std::uint8_t> &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()))
        == static_cast<qint64>(bytes.size());
}
