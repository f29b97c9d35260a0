// Writes the small clips that seed the avi fuzz target: one per kind of video
// the reader plays, each a few frames of 13 x 9 pixels (odd, so rows are
// padded and RLE4 ends on half a byte), plus two clips FFmpeg writes, whose
// files are laid out differently from ours.
//
// Usage: numoria_make_avi_seeds <folder>
#include "avi_writer.h"
#include "ffmpeg_tool.h"
#include "rle_encoder.h"
#include "sample_pictures.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

constexpr int kWidth = 13;
constexpr int kHeight = 9;
constexpr int kFrames = 3;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;

bool save(const QDir &folder, const char *name, const std::vector<std::uint8_t> &bytes)
{
    QFile file(folder.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size())) {
        std::fprintf(stderr, "make_avi_seeds: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

AviLayout baseSpec(int bits, std::uint32_t compression, bool topDown)
{
    AviLayout layout;
    layout.width = kWidth;
    layout.height = topDown ? -kHeight : kHeight;
    layout.bitCount = bits;
    layout.compression = compression;
    if (bits <= 8)
        layout.palette = samplePalette(1 << bits);
    return layout;
}

AviLayout rawIndexed(bool topDown)
{
    AviLayout layout = baseSpec(8, 0, topDown);
    for (const IndexPicture &picture : sampleIndexPictures(kWidth, kHeight, kFrames, 256))
        layout.chunks.push_back({"00db", packIndexRows(picture, kWidth, kHeight, 8, topDown)});
    return layout;
}

AviLayout rawColour(int bits, bool topDown)
{
    AviLayout layout = baseSpec(bits, 0, topDown);
    for (const ColourPicture &picture : sampleColourPictures(kWidth, kHeight, kFrames))
        layout.chunks.push_back({"00db", packColourRows(picture, kWidth, kHeight, bits, topDown, 0x5A)});
    return layout;
}

// A full first frame, then (with deltas) only what changed.
AviLayout rle(int bits, bool deltas)
{
    AviLayout layout = baseSpec(bits, bits == 8 ? kBiRle8 : kBiRle4, false);
    const auto pictures = sampleIndexPictures(kWidth, kHeight, kFrames + 1, 1 << bits);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const IndexPicture *previous = deltas && i > 0 ? &pictures[i - 1] : nullptr;
        layout.chunks.push_back({"00dc", encodeRle(previous, pictures[i], kWidth, kHeight, bits)});
    }
    return layout;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: numoria_make_avi_seeds <folder>\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    ok &= save(folder, "rgb8-bottom-up.avi", writeAvi(rawIndexed(false)));
    ok &= save(folder, "rgb8-top-down.avi", writeAvi(rawIndexed(true)));
    ok &= save(folder, "rgb16.avi", writeAvi(rawColour(16, false)));
    ok &= save(folder, "rgb24-top-down.avi", writeAvi(rawColour(24, true)));
    ok &= save(folder, "rgb32.avi", writeAvi(rawColour(32, false)));
    ok &= save(folder, "rle8-deltas.avi", writeAvi(rle(8, true)));
    ok &= save(folder, "rle8-key-frames.avi", writeAvi(rle(8, false)));
    ok &= save(folder, "rle4-deltas.avi", writeAvi(rle(4, true)));
    ok &= save(folder, "rle4-key-frames.avi", writeAvi(rle(4, false)));

    // mrle, a palette change before the third frame, and a frame stored
    // uncompressed inside the RLE stream.
    AviLayout mixed = rle(8, true);
    mixed.compression = fourccOf("mrle");
    mixed.handler = fourccOf("mrle");
    mixed.chunks[1].data = packIndexRows(sampleIndexPictures(kWidth, kHeight, 2, 256)[1], kWidth, kHeight, 8, false);
    mixed.chunks.insert(mixed.chunks.begin() + 2,
                        AviChunk{"00pc", {1, 2, 0, 0, 10, 20, 30, 0, 40, 50, 60, 0}});
    ok &= save(folder, "mrle-palette-change.avi", writeAvi(mixed));

    if (ffmpegProgram().isEmpty()) {
        std::fputs("make_avi_seeds: no ffmpeg, skipping its clips\n", stderr);
    } else {
        const QString source = QStringLiteral("testsrc2=size=%1x%2:rate=10").arg(kWidth).arg(kHeight);
        for (const char *format : {"pal8", "rgb555le"}) {
            const QString error = runFfmpeg({"-f", "lavfi", "-i", source, "-frames:v", QString::number(kFrames),
                                             "-c:v", "rawvideo", "-pix_fmt", QString::fromLatin1(format), "-fflags", "+bitexact",
                                             folder.filePath(QStringLiteral("ffmpeg-%1.avi").arg(format))});
            if (!error.isEmpty()) {
                std::fprintf(stderr, "make_avi_seeds: ffmpeg failed: %s\n", qPrintable(error));
                ok = false;
            }
        }
    }
    return ok ? 0 : 1;
}
