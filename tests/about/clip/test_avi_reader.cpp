// The AVI reader against FFmpeg's decoding of every supported format, and
// against damaged, hostile and absurd files.

#include "avi_reader.h"
#include "avi_writer.h"
#include "clip_files.h"
#include "ffmpeg_tool.h"
#include "rle_encoder.h"
#include "sample_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using numoria::AviReadResult;
using Bytes = std::vector<std::uint8_t>;

Q_DECLARE_METATYPE(Bytes)

namespace {

constexpr int kWidth = 37; // odd, so rows need padding and RLE4 ends on half a byte
constexpr int kHeight = 23;
constexpr int kFrames = 6;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;

// The sample pictures, paletted at 8 bits and below; RLE clips have a full
// first frame, then only what changed.
AviLayout sampleLayout(int bits, bool rle, bool topDown = false, int frames = kFrames)
{
    AviLayout layout;
    layout.width = kWidth;
    layout.height = topDown ? -kHeight : kHeight;
    layout.bitCount = bits;
    layout.compression = !rle ? 0 : bits == 8 ? kBiRle8 : kBiRle4;
    if (bits > 8) { // the fourth byte of 32-bit pixels is unused: give it noise
        for (const ColourPicture &picture : sampleColourPictures(kWidth, kHeight, frames))
            layout.chunks.push_back({"00db", packColourRows(picture, kWidth, kHeight, bits, topDown, 0x5A)});
        return layout;
    }
    layout.palette = samplePalette(1 << bits);
    const auto pictures = sampleIndexPictures(kWidth, kHeight, frames, 1 << bits);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        layout.chunks.push_back(rle ? AviChunk{"00dc", encodeRle(i > 0 ? &pictures[i - 1] : nullptr, pictures[i], kWidth, kHeight, bits)}
                                    : AviChunk{"00db", packIndexRows(pictures[i], kWidth, kHeight, bits, topDown)});
    return layout;
}

Bytes makeSample(const QString &kind)
{
    const bool rle = kind.startsWith("RLE");
    AviLayout layout = sampleLayout(rle ? kind.mid(3, 1).toInt() : kind.section('-', 0, 0).toInt(), rle, kind.contains("top-down"));
    if (kind.contains("uncompressed frame")) // a chunk of raw size is read as raw, as FFmpeg does
        layout.chunks[2].data = packIndexRows(sampleIndexPictures(kWidth, kHeight, kFrames, 16)[2], kWidth, kHeight, 4, false);
    if (kind.contains("palette change")) { // entries 1 to 3 change before frame 4
        layout.compression = layout.handler = fourccOf("mrle");
        layout.chunks.insert(layout.chunks.begin() + 3, AviChunk{"00pc", {1, 3, 0, 0, 10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}});
    }
    return writeAvi(layout);
}

const QStringList kKinds{"ffmpeg pal8", "ffmpeg rgb555le", "ffmpeg bgr24", "ffmpeg bgra",
                         "8-bit paletted bottom-up", "8-bit paletted top-down", "16-bit bottom-up", "16-bit top-down",
                         "24-bit bottom-up", "24-bit top-down", "32-bit bottom-up", "32-bit top-down",
                         "RLE8 with deltas", "RLE8 as mrle with a palette change", "RLE4 with deltas",
                         "RLE4 with an uncompressed frame", "committed clip"};

} // namespace

class TestAviReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesFfmpeg_data();
    void matchesFfmpeg();
    void rleOddities_data();
    void rleOddities();
    void acceptsOrRefuses_data();
    void acceptsOrRefuses();
    void everyTruncationIsRefused();

private:
    QString sampleFile(const QString &kind) const { return dir_.filePath(QString(kind).replace(' ', '_') + ".avi"); }

    QTemporaryDir dir_;
    QString ffmpegError_;
};

// Every sample is written first, FFmpeg writes its own, and one run of
// ffmpeg decodes them all.
void TestAviReader::initTestCase()
{
    QVERIFY(dir_.isValid());
    if (ffmpegProgram().isEmpty())
        return;
    QStringList arguments{"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1x%2:rate=10").arg(kWidth).arg(kHeight)};
    QStringList files;
    for (const QString &kind : kKinds) {
        files << sampleFile(kind);
        if (kind.startsWith("ffmpeg "))
            arguments << "-map" << "0" << "-frames:v" << QString::number(kFrames) << "-c:v" << "rawvideo"
                      << "-pix_fmt" << kind.mid(7) << files.last();
        else if (kind == "committed clip")
            QVERIFY(QFile::copy(QStringLiteral(NUMORIA_CLIP_SOURCE), files.last()));
        else
            QVERIFY(writeClipFile(files.last(), makeSample(kind)));
    }
    ffmpegError_ = runFfmpeg(arguments);
    if (ffmpegError_.isEmpty())
        ffmpegError_ = decodeWithFfmpeg(files);
}

void TestAviReader::matchesFfmpeg_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString &kind : kKinds)
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestAviReader::matchesFfmpeg()
{
    QFETCH(QString, kind);
    if (ffmpegProgram().isEmpty())
        QSKIP("ffmpeg was not found when the build was configured");
    QVERIFY2(ffmpegError_.isEmpty(), qPrintable(ffmpegError_));
    const AviReadResult ours = numoria::readAviFile(QFile::encodeName(sampleFile(kind)).toStdString());
    QVERIFY2(ours.clip.has_value(), ours.error.c_str());
    const auto reference = readFfmpegFrames(sampleFile(kind), ours.clip->width, ours.clip->height);
    QCOMPARE(ours.clip->frames.size(), reference.size());
    // Ours are always opaque; the fourth byte of 32-bit pixels is no alpha.
    const std::uint32_t mask = kind.startsWith("32-bit") ? 0x00FFFFFFu : 0xFFFFFFFFu;
    for (std::size_t f = 0; f < reference.size(); ++f) {
        QCOMPARE(ours.clip->frames[f].size(), reference[f].size());
        for (std::size_t i = 0; i < reference[f].size(); ++i) {
            const std::uint32_t got = ours.clip->frames[f][i], want = reference[f][i];
            if (got >> 24 != 0xFF || (got & mask) != (want & mask))
                QFAIL(qPrintable(QStringLiteral("frame %1 pixel %2: ours %3, FFmpeg %4")
                                     .arg(f).arg(i).arg(got, 8, 16, QChar('0')).arg(want, 8, 16, QChar('0'))));
        }
    }
}

// Hand-made RLE data of kinds no encoder writes, over a 6 x 3 picture given as
// rows of hex digits, top row first; palette entry n is 0x0n0n0n.
void TestAviReader::rleOddities_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<Bytes>("data");
    QTest::addColumn<QString>("expected");
    const QString start = "123456/789abc/def012";

    QTest::newRow("8: run past the line end is dropped") << 8 << Bytes{0, 2, 4, 0, 9, 5, 0, 0, 1, 6, 0, 1} << "123456/689abc/def055";
    QTest::newRow("8: literal past the line end is dropped") << 8 << Bytes{0, 2, 4, 0, 0, 3, 7, 8, 9, 0, 0, 1} << "123456/789abc/def078";
    QTest::newRow("8: delta past the top ends the frame") << 8 << Bytes{1, 9, 0, 2, 0, 200, 5, 5} << "123456/789abc/9ef012";
    QTest::newRow("8: end of line past the top") << 8 << Bytes{0, 0, 0, 0, 0, 0, 1, 9, 0, 1} << start;
    QTest::newRow("8: data ending without end of bitmap") << 8 << Bytes{2, 0, 0} << "123456/789abc/00f012";
    QTest::newRow("8: empty chunk repeats the picture") << 8 << Bytes{} << start;
    QTest::newRow("4: run alternates the two halves") << 4 << Bytes{5, 0x9A, 0, 1} << "123456/789abc/9a9a92";
}

void TestAviReader::rleOddities()
{
    QFETCH(int, bits);
    QFETCH(Bytes, data);
    QFETCH(QString, expected);
    AviLayout layout;
    layout.width = 6;
    layout.height = 3;
    layout.bitCount = bits;
    layout.compression = bits == 8 ? kBiRle8 : kBiRle4;
    for (std::uint32_t i = 0; i < (1u << bits); ++i)
        layout.palette.push_back(i * 0x010101u);
    const IndexPicture start{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 1, 2};
    layout.chunks = {{"00dc", encodeRle(nullptr, start, 6, 3, bits)}, {"00dc", data}};
    std::vector<std::vector<std::uint32_t>> frames(2);
    for (std::uint8_t index : start)
        frames[0].push_back(0xFF000000u | index * 0x010101u);
    for (QChar digit : expected.remove('/'))
        frames[1].push_back(0xFF000000u | QString(digit).toUInt(nullptr, 16) * 0x010101u);
    const AviReadResult result = numoria::readAvi(writeAvi(layout));
    QVERIFY2(result.clip.has_value(), result.error.c_str());
    QCOMPARE(result.clip->frames, frames);
}

// An empty reason: the data must be accepted.
void TestAviReader::acceptsOrRefuses_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("reason");

    const AviLayout rle = sampleLayout(8, true, false, 3);
    const AviLayout raw = sampleLayout(8, false, false, 3);
    const auto variant = [](AviLayout layout, const std::function<void(AviLayout &)> &change) {
        change(layout);
        return writeAvi(layout);
    };
    // Frames that cost nothing in the file but 4 MiB each once decoded.
    const auto largest = [&](std::size_t frames) {
        return variant(rle, [&](AviLayout &l) {
            l.width = l.height = numoria::kMaxClipSide;
            l.chunks.assign(frames, AviChunk{"00dc", {0, 1}});
        });
    };
    // The RLE clip with bytes overwritten `offset` bytes after the first `mark`.
    const auto patched = [&](const char (&mark)[5], std::size_t offset, const std::string &with) {
        Bytes bytes = writeAvi(rle);
        std::copy(with.begin(), with.end(), std::search(bytes.begin(), bytes.end(), mark, mark + 4) + offset);
        return bytes;
    };

    QTest::newRow("wave") << riffList("RIFF", "WAVE", riffChunk("fmt ", Bytes(16))) << "not an AVI file";
    QTest::newRow("motion JPEG") << variant(raw, [](AviLayout &l) { l.compression = fourccOf("MJPG"); })
                                 << "unsupported codec 'MJPG'";
    QTest::newRow("uncompressed 4-bit") << variant(raw, [](AviLayout &l) { l.bitCount = 4; }) << "unsupported bit depth 4";
    QTest::newRow("RLE4 at 8 bits") << variant(rle, [](AviLayout &l) { l.compression = kBiRle4; }) << "RLE4 video with 8 bits";
    QTest::newRow("RLE top-down") << variant(rle, [](AviLayout &l) { l.height = -kHeight; }) << "top-down";
    QTest::newRow("1025 wide") << variant(rle, [](AviLayout &l) { l.width = 1025; }) << "larger than the limit";
    QTest::newRow("most negative height") << variant(raw, [](AviLayout &l) { l.height = INT32_MIN; })
                                          << "larger than the limit";
    QTest::newRow("zero height") << variant(rle, [](AviLayout &l) { l.height = 0; }) << "corrupt file: picture of";
    QTest::newRow("16 frames of 1024 x 1024 fill the limit") << largest(16) << "";
    QTest::newRow("17 frames of 1024 x 1024 exceed it") << largest(17) << "need more than the limit of 64 MiB";
    QTest::newRow("too many frames") << variant(rle, [](AviLayout &l) {
        l.width = l.height = 1;
        l.chunks.assign(numoria::kMaxClipFrames + 1, AviChunk{"00dc", {}});
    }) << "too many frames";
    QTest::newRow("no frame rate") << variant(rle, [](AviLayout &l) { l.microsecondsPerFrame = l.rate = 0; })
                                   << "no frame rate";
    QTest::newRow("frames of another stream") << variant(rle, [](AviLayout &l) { l.chunks = {{"01dc", {0, 1}}}; })
                                              << "no frames";
    QTest::newRow("raw frame left empty") << variant(raw, [](AviLayout &l) { l.chunks[1].data.clear(); }) << "";
    QTest::newRow("short raw frame") << variant(raw, [](AviLayout &l) { l.chunks[1].data.pop_back(); })
                                     << "frame 2 holds 919 bytes, 920 expected";
    QTest::newRow("audio stream only") << patched("vids", 0, "auds") << "no video stream";
    QTest::newRow("no main header") << patched("avih", 0, "xxxx") << "no AVI main header";
    QTest::newRow("chunk longer than its list") << patched("00dc", 4, "\xFF\xFF\xFF\xFF")
                                                << "corrupt file: chunk '00dc' runs past the end";
    QTest::newRow("bitmap header size beyond its chunk") << patched("strf", 8, "\xFF\xFF\xFF\xFF")
                                                         << "video format too short";
}

void TestAviReader::acceptsOrRefuses()
{
    QFETCH(Bytes, bytes);
    QFETCH(QString, reason);
    const AviReadResult result = numoria::readAvi(bytes);
    if (reason.isEmpty()) {
        QVERIFY2(result.clip.has_value(), result.error.c_str());
        return;
    }
    QVERIFY(!result.clip.has_value());
    QVERIFY2(QString::fromStdString(result.error).contains(reason), result.error.c_str());
    QVERIFY(!QString::fromStdString(result.error).contains('\n'));
}

void TestAviReader::everyTruncationIsRefused()
{
    for (const Bytes &bytes : {writeAvi(sampleLayout(8, true, false, 3)), writeAvi(sampleLayout(8, false, true, 3))}) {
        QVERIFY(numoria::readAvi(bytes).clip.has_value());
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            const AviReadResult result = numoria::readAvi(std::span(bytes).first(length));
            QVERIFY2(!result.clip && !result.error.empty(), qPrintable(QStringLiteral("cut at %1").arg(length)));
        }
    }
}

QTEST_GUILESS_MAIN(TestAviReader)
#include "test_avi_reader.moc"
