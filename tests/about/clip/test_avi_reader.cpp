// The AVI reader against FFmpeg's decoding of every supported format, and
// against damaged, hostile and absurd files.

#include "avi_reader.h"
#include "avi_writer.h"
#include "ffmpeg_tool.h"
#include "rle_encoder.h"
#include "sample_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <random>

using numoria::AviClip;
using numoria::AviReadResult;

Q_DECLARE_METATYPE(std::vector<std::uint8_t>)

namespace {

constexpr int kWidth = 37; // odd, so rows need padding and RLE4 ends on half a byte
constexpr int kHeight = 23;
constexpr int kFrames = 6;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;

std::vector<std::uint32_t> opaque(const std::vector<std::uint32_t> &palette, const IndexPicture &picture)
{
    std::vector<std::uint32_t> out;
    for (std::uint8_t index : picture)
        out.push_back(0xFF000000u | palette[index]);
    return out;
}

std::uint32_t widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }

// What a 16-bit clip of `picture` must decode to.
std::vector<std::uint32_t> throughRgb555(const ColourPicture &picture)
{
    std::vector<std::uint32_t> out;
    for (std::uint32_t c : picture)
        out.push_back(0xFF000000u | widen5((c >> 19) & 31) << 16 | widen5((c >> 11) & 31) << 8 | widen5((c >> 3) & 31));
    return out;
}

AviLayout indexedSpec(int bits, std::uint32_t compression, std::int32_t height)
{
    AviLayout layout;
    layout.width = kWidth;
    layout.height = height;
    layout.bitCount = bits;
    layout.compression = compression;
    layout.palette = samplePalette(1 << bits);
    return layout;
}

// An RLE clip: a full first frame, then only what changed.
AviLayout rleSpec(int bits, const std::vector<IndexPicture> &pictures, bool deltas)
{
    AviLayout layout = indexedSpec(bits, bits == 8 ? kBiRle8 : kBiRle4, kHeight);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const IndexPicture *previous = (deltas && i > 0) ? &pictures[i - 1] : nullptr;
        layout.chunks.push_back({"00dc", encodeRle(previous, pictures[i], kWidth, kHeight, bits)});
    }
    return layout;
}

struct Sample
{
    std::vector<std::uint8_t> bytes;
    std::vector<std::vector<std::uint32_t>> expected; // empty: FFmpeg alone is the reference
    bool compareAlpha = true;
};

std::vector<std::uint8_t> readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return {data.begin(), data.end()};
}

bool writeBytes(const QString &path, const std::vector<std::uint8_t> &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()))
        == static_cast<qint64>(bytes.size());
}

const QStringList &sampleKinds()
{
    static const QStringList kinds{"ffmpeg pal8", "ffmpeg rgb555le", "ffmpeg bgr24", "ffmpeg bgra",
                                   "8-bit paletted bottom-up", "8-bit paletted top-down",
                                   "16-bit bottom-up", "16-bit top-down", "24-bit bottom-up", "24-bit top-down",
                                   "32-bit bottom-up", "32-bit top-down",
                                   "RLE8 with deltas", "RLE8 key frames only", "RLE8 with a palette change",
                                   "RLE8 with an uncompressed frame", "RLE8 as mrle",
                                   "RLE4 with deltas", "RLE4 key frames only", "RLE4 with an uncompressed frame",
                                   "committed clip"};
    return kinds;
}

std::string hex(std::uint32_t value) { return QString::number(value, 16).rightJustified(8, '0').toStdString(); }

} // namespace

class TestAviReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesFfmpeg_data();
    void matchesFfmpeg();
    void rleEscapes_data();
    void rleEscapes();
    void emptyChunkRepeatsThePreviousFrame();
    void frameDurationComesFromTheHeaders_data();
    void frameDurationComesFromTheHeaders();
    void refusesBadData_data();
    void refusesBadData();
    void decodedSizeLimitIsExact_data();
    void decodedSizeLimitIsExact();
    void fileLoaderRefuses_data();
    void fileLoaderRefuses();
    void everyTruncationIsRefused_data();
    void everyTruncationIsRefused();
    void survivesCorruption_data();
    void survivesCorruption();

private:
    QString path(const QString &name) const { return dir_.filePath(name); }
    QString sampleFile(const QString &kind) const { return path(QString(kind).replace(' ', '_') + ".avi"); }
    QString writeFfmpegSamples();
    Sample makeSample(const QString &kind);

    QTemporaryDir dir_;
    QMap<QString, Sample> samples_;
    QString ffmpegError_;
};

// All samples are written first and decoded by one run of ffmpeg.
void TestAviReader::initTestCase()
{
    QVERIFY(dir_.isValid());
    if (ffmpegProgram().isEmpty())
        return;
    ffmpegError_ = writeFfmpegSamples();
    QStringList files;
    for (const QString &kind : sampleKinds()) {
        samples_[kind] = makeSample(kind);
        if (!kind.startsWith("ffmpeg "))
            QVERIFY(writeBytes(sampleFile(kind), samples_[kind].bytes));
        files << sampleFile(kind);
    }
    if (ffmpegError_.isEmpty())
        ffmpegError_ = decodeWithFfmpeg(files);
}

// Uncompressed clips written by FFmpeg itself: top-down, padded rows.
QString TestAviReader::writeFfmpegSamples()
{
    QStringList arguments{"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1x%2:rate=10").arg(kWidth).arg(kHeight)};
    for (const QString &kind : sampleKinds()) {
        if (kind.startsWith("ffmpeg "))
            arguments << "-map" << "0" << "-frames:v" << QString::number(kFrames) << "-c:v" << "rawvideo"
                      << "-pix_fmt" << kind.mid(7) << sampleFile(kind);
    }
    return runFfmpeg(arguments);
}

Sample TestAviReader::makeSample(const QString &kind)
{
    const auto indexed = sampleIndexPictures(kWidth, kHeight, kFrames, 256);
    const auto indexed16 = sampleIndexPictures(kWidth, kHeight, kFrames, 16);
    const auto colour = sampleColourPictures(kWidth, kHeight, kFrames);

    if (kind.startsWith("ffmpeg "))
        return {readBytes(sampleFile(kind)), {}};
    if (kind == "committed clip")
        return {readBytes(QStringLiteral(NUMORIA_CLIP_SOURCE)), {}};

    const bool topDown = kind.contains("top-down");
    const std::int32_t height = topDown ? -kHeight : kHeight;
    if (kind.startsWith("8-bit")) {
        AviLayout layout = indexedSpec(8, 0, height);
        Sample sample;
        for (const IndexPicture &picture : indexed) {
            layout.chunks.push_back({"00db", packIndexRows(picture, kWidth, kHeight, 8, topDown)});
            sample.expected.push_back(opaque(layout.palette, picture));
        }
        sample.bytes = writeAvi(layout);
        return sample;
    }
    if (kind.startsWith("16-bit") || kind.startsWith("24-bit") || kind.startsWith("32-bit")) {
        const int bits = kind.left(2).toInt();
        AviLayout layout;
        layout.width = kWidth;
        layout.height = height;
        layout.bitCount = bits;
        Sample sample;
        for (const ColourPicture &picture : colour) {
            // The fourth byte of 32-bit pixels is unused: give it noise.
            layout.chunks.push_back({"00db", packColourRows(picture, kWidth, kHeight, bits, topDown, 0x5A)});
            sample.expected.push_back(bits == 16 ? throughRgb555(picture) : picture);
        }
        sample.bytes = writeAvi(layout);
        sample.compareAlpha = bits != 32;
        return sample;
    }
    // RLE
    const int bits = kind.startsWith("RLE8") ? 8 : 4;
    const auto &pictures = bits == 8 ? indexed : indexed16;
    AviLayout layout = rleSpec(bits, pictures, !kind.contains("key frames"));
    Sample sample;
    for (const IndexPicture &picture : pictures)
        sample.expected.push_back(opaque(layout.palette, picture));
    if (kind.contains("uncompressed frame")) {
        // Same size as a raw frame: read as one, as FFmpeg does.
        layout.chunks[2].data = packIndexRows(pictures[2], kWidth, kHeight, bits, false);
    }
    if (kind.contains("mrle")) {
        layout.compression = fourccOf("mrle");
        layout.handler = fourccOf("mrle");
    }
    if (kind.contains("palette change")) {
        // Entries 1 to 3 change before frame 4; frames 4 on use them.
        std::vector<std::uint8_t> change{1, 3, 0, 0, 10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0};
        layout.chunks.insert(layout.chunks.begin() + 3, AviChunk{"00pc", change});
        std::vector<std::uint32_t> changed = layout.palette;
        changed[1] = 0x0A141E;
        changed[2] = 0x28323C;
        changed[3] = 0x46505A;
        for (std::size_t i = 3; i < pictures.size(); ++i)
            sample.expected[i] = opaque(changed, pictures[i]);
    }
    sample.bytes = writeAvi(layout);
    return sample;
}

void TestAviReader::matchesFfmpeg_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString &kind : sampleKinds())
        QTest::newRow(qPrintable(kind)) << kind;
}

void TestAviReader::matchesFfmpeg()
{
    QFETCH(QString, kind);
    if (ffmpegProgram().isEmpty())
        QSKIP("ffmpeg was not found when the build was configured");
    QVERIFY2(ffmpegError_.isEmpty(), qPrintable(ffmpegError_));
    const Sample &sample = samples_[kind];
    QVERIFY2(!sample.bytes.empty(), "sample not made");

    const AviReadResult ours = numoria::readAvi(sample.bytes);
    QVERIFY2(ours.clip.has_value(), ours.error.c_str());
    const AviClip &clip = *ours.clip;
    const DecodedFrames reference = readFfmpegFrames(sampleFile(kind), clip.width, clip.height);
    QVERIFY2(reference.error.isEmpty(), qPrintable(reference.error));
    QCOMPARE(clip.frames.size(), reference.frames.size());
    if (!sample.expected.empty())
        QCOMPARE(clip.frames.size(), sample.expected.size());

    const std::uint32_t mask = sample.compareAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    for (std::size_t f = 0; f < clip.frames.size(); ++f) {
        const std::vector<std::uint32_t> &got = clip.frames[f];
        QCOMPARE(got.size(), static_cast<std::size_t>(clip.width) * clip.height);
        for (std::size_t i = 0; i < got.size(); ++i) {
            const bool opaquePixel = (got[i] >> 24) == 0xFF;
            const bool likeFfmpeg = (got[i] & mask) == (reference.frames[f][i] & mask);
            const bool asWritten = sample.expected.empty() || got[i] == sample.expected[f][i];
            if (opaquePixel && likeFfmpeg && asWritten)
                continue;
            std::string where = "frame " + std::to_string(f) + " pixel " + std::to_string(i) + ": ours " + hex(got[i])
                + ", FFmpeg " + hex(reference.frames[f][i]);
            if (!sample.expected.empty())
                where += ", written " + hex(sample.expected[f][i]);
            QFAIL(where.c_str());
        }
    }
}

// Hand-made RLE data over a known 6 x 3 picture. Pictures are rows of hex
// digits, top row first; palette entry n is 0x0n0n0n.
void TestAviReader::rleEscapes_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<std::vector<std::uint8_t>>("data");
    QTest::addColumn<QString>("expected");
    const QString start = "123456/789abc/def012";

    QTest::newRow("8: run on the bottom line") << 8 << std::vector<std::uint8_t>{3, 0, 0, 1} << "123456/789abc/000012";
    QTest::newRow("8: end of line moves up") << 8 << std::vector<std::uint8_t>{0, 0, 2, 5, 0, 1} << "123456/559abc/def012";
    QTest::newRow("8: delta skips right and up")
        << 8 << std::vector<std::uint8_t>{0, 2, 2, 1, 1, 7, 0, 2, 1, 1, 2, 8, 0, 1} << "123488/787abc/def012";
    QTest::newRow("8: odd literal is padded")
        << 8 << std::vector<std::uint8_t>{0, 3, 9, 8, 7, 0, 2, 1, 0, 1} << "123456/789abc/987112";
    QTest::newRow("8: even literal is not padded")
        << 8 << std::vector<std::uint8_t>{0, 4, 9, 8, 7, 6, 2, 3, 0, 1} << "123456/789abc/987633";
    QTest::newRow("8: run past the line end is dropped")
        << 8 << std::vector<std::uint8_t>{0, 2, 4, 0, 9, 5, 0, 0, 1, 6, 0, 1} << "123456/689abc/def055";
    QTest::newRow("8: literal past the line end is dropped")
        << 8 << std::vector<std::uint8_t>{0, 2, 4, 0, 0, 3, 7, 8, 9, 0, 0, 1} << "123456/789abc/def078";
    QTest::newRow("8: delta past the top ends the frame")
        << 8 << std::vector<std::uint8_t>{1, 9, 0, 2, 0, 200, 5, 5} << "123456/789abc/9ef012";
    QTest::newRow("8: early end of bitmap keeps the rest") << 8 << std::vector<std::uint8_t>{2, 0, 0, 1, 6, 6}
                                                           << "123456/789abc/00f012";
    QTest::newRow("8: data ending without end of bitmap") << 8 << std::vector<std::uint8_t>{2, 0, 0} << "123456/789abc/00f012";
    QTest::newRow("8: literal cut short by the data") << 8 << std::vector<std::uint8_t>{0, 5, 9, 9} << "123456/789abc/99f012";
    QTest::newRow("8: end of line past the top") << 8 << std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 1, 9, 0, 1} << start;

    QTest::newRow("4: run alternates the two halves")
        << 4 << std::vector<std::uint8_t>{5, 0x9A, 0, 1} << "123456/789abc/9a9a92";
    QTest::newRow("4: odd literal uses the high half last")
        << 4 << std::vector<std::uint8_t>{0, 3, 0xCD, 0xE0, 0, 1} << "123456/789abc/cde012";
    QTest::newRow("4: literal of three bytes is padded")
        << 4 << std::vector<std::uint8_t>{0, 5, 0x12, 0x34, 0x50, 0, 0, 0, 1, 0xF0} << "123456/f89abc/123452";
    QTest::newRow("4: a chunk of raw size is read uncompressed")
        << 4 << std::vector<std::uint8_t>{0x11, 0x11, 0x11, 0, 0x22, 0x22, 0x22, 0, 0x33, 0x33, 0x33, 0}
        << "333333/222222/111111";
    QTest::newRow("4: delta then run") << 4 << std::vector<std::uint8_t>{0, 2, 4, 2, 2, 0xF0, 0, 1} << "1234f0/789abc/def012";
}

void TestAviReader::rleEscapes()
{
    QFETCH(int, bits);
    QFETCH(std::vector<std::uint8_t>, data);
    QFETCH(QString, expected);
    constexpr int width = 6, height = 3;
    auto parse = [](const QString &text) {
        std::vector<std::uint8_t> picture;
        for (const QString &row : text.split('/')) {
            for (QChar c : row)
                picture.push_back(static_cast<std::uint8_t>(QString(c).toInt(nullptr, 16)));
        }
        return picture;
    };
    const std::vector<std::uint8_t> before = parse("123456/789abc/def012");
    const std::vector<std::uint8_t> after = parse(expected);
    QCOMPARE(after.size(), before.size());

    AviLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = bits;
    layout.compression = bits == 8 ? kBiRle8 : kBiRle4;
    for (std::uint32_t i = 0; i < (1u << bits); ++i)
        layout.palette.push_back(i * 0x010101u);
    layout.chunks.push_back({"00dc", encodeRle(nullptr, before, width, height, bits)});
    layout.chunks.push_back({"00dc", data});
    const AviReadResult result = numoria::readAvi(writeAvi(layout));
    QVERIFY2(result.clip.has_value(), result.error.c_str());
    QCOMPARE(result.clip->frames.size(), std::size_t{2});
    QCOMPARE(result.clip->frames[0], opaque(layout.palette, before));
    QCOMPARE(result.clip->frames[1], opaque(layout.palette, after));
}

void TestAviReader::emptyChunkRepeatsThePreviousFrame()
{
    for (const int bits : {8, 24}) {
        AviLayout layout;
        layout.width = kWidth;
        layout.height = kHeight;
        layout.bitCount = bits;
        layout.palette = bits == 8 ? samplePalette(256) : std::vector<std::uint32_t>{};
        const auto pictures = sampleIndexPictures(kWidth, kHeight, 2, 256);
        const auto colours = sampleColourPictures(kWidth, kHeight, 2);
        for (int i = 0; i < 2; ++i) {
            layout.chunks.push_back({"00db", bits == 8 ? packIndexRows(pictures[i], kWidth, kHeight, 8, false)
                                                     : packColourRows(colours[i], kWidth, kHeight, 24, false)});
            layout.chunks.push_back({"00db", {}});
        }
        const AviReadResult result = numoria::readAvi(writeAvi(layout));
        QVERIFY2(result.clip.has_value(), result.error.c_str());
        const auto &frames = result.clip->frames;
        QCOMPARE(frames.size(), std::size_t{4});
        QCOMPARE(frames[1], frames[0]);
        QCOMPARE(frames[3], frames[2]);
        QVERIFY(frames[2] != frames[0]);
    }
}

void TestAviReader::frameDurationComesFromTheHeaders_data()
{
    QTest::addColumn<uint>("mainHeader");
    QTest::addColumn<uint>("scale");
    QTest::addColumn<uint>("rate");
    QTest::addColumn<uint>("expected");
    QTest::newRow("main header wins") << 100000u << 1u << 25u << 100000u;
    QTest::newRow("main header alone") << 66667u << 0u << 0u << 66667u;
    QTest::newRow("25 per second from the stream") << 0u << 1u << 25u << 40000u;
    QTest::newRow("NTSC rate is rounded") << 0u << 1001u << 30000u << 33367u;
    QTest::newRow("slow stream") << 0u << 3u << 1u << 3000000u;
}

void TestAviReader::frameDurationComesFromTheHeaders()
{
    QFETCH(uint, mainHeader);
    QFETCH(uint, scale);
    QFETCH(uint, rate);
    QFETCH(uint, expected);
    AviLayout layout = rleSpec(8, sampleIndexPictures(kWidth, kHeight, 2, 256), true);
    layout.microsecondsPerFrame = mainHeader;
    layout.scale = scale;
    layout.rate = rate;
    const AviReadResult result = numoria::readAvi(writeAvi(layout));
    QVERIFY2(result.clip.has_value(), result.error.c_str());
    QCOMPARE(result.clip->microsecondsPerFrame, expected);
}

void TestAviReader::refusesBadData_data()
{
    QTest::addColumn<std::vector<std::uint8_t>>("bytes");
    QTest::addColumn<QString>("reason");

    const auto pictures = sampleIndexPictures(kWidth, kHeight, 3, 256);
    const AviLayout good = rleSpec(8, pictures, true);
    const auto variant = [&](const std::function<void(AviLayout &)> &change) {
        AviLayout layout = good;
        change(layout);
        return writeAvi(layout);
    };
    const std::vector<std::uint8_t> goodBytes = writeAvi(good);

    QTest::newRow("empty") << std::vector<std::uint8_t>{} << "empty file";
    QTest::newRow("text") << std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o', '\n'} << "not an AVI file";
    QTest::newRow("wave") << riffList("RIFF", "WAVE", riffChunk("fmt ", std::vector<std::uint8_t>(16))) << "not an AVI file";
    QTest::newRow("RIFF size below four") << std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 2, 0, 0, 0, 'A', 'V', 'I', ' '}
                                          << "not an AVI file";
    QTest::newRow("truncated") << std::vector<std::uint8_t>(goodBytes.begin(), goodBytes.begin() + goodBytes.size() / 2)
                               << "truncated file";
    QTest::newRow("motion JPEG") << variant([](AviLayout &s) {
        s.compression = fourccOf("MJPG");
        s.bitCount = 24;
    }) << "unsupported codec 'MJPG'";
    QTest::newRow("H.264") << variant([](AviLayout &s) { s.compression = fourccOf("H264"); })
                           << "unsupported codec 'H264'";
    QTest::newRow("bit fields") << variant([](AviLayout &s) {
        s.compression = 3;
        s.bitCount = 16;
    }) << "unsupported codec compression type 3";
    QTest::newRow("uncompressed 4-bit") << variant([](AviLayout &s) {
        s.compression = 0;
        s.bitCount = 4;
    }) << "unsupported bit depth 4";
    QTest::newRow("RLE8 at 4 bits") << variant([](AviLayout &s) { s.bitCount = 4; }) << "RLE8 video with 4 bits";
    QTest::newRow("RLE4 at 8 bits") << variant([](AviLayout &s) { s.compression = kBiRle4; }) << "RLE4 video with 8 bits";
    QTest::newRow("RLE top-down") << variant([](AviLayout &s) { s.height = -kHeight; }) << "top-down";
    QTest::newRow("10000 x 10000") << variant([](AviLayout &s) {
        s.width = 10000;
        s.height = 10000;
    }) << "10000 x 10000 pixels is larger than the limit";
    QTest::newRow("1025 wide") << variant([](AviLayout &s) { s.width = 1025; }) << "larger than the limit";
    QTest::newRow("1025 high") << variant([](AviLayout &s) { s.height = 1025; }) << "larger than the limit";
    QTest::newRow("most negative height") << variant([](AviLayout &s) {
        s.compression = 0;
        s.height = INT32_MIN;
    }) << "larger than the limit";
    QTest::newRow("zero width") << variant([](AviLayout &s) { s.width = 0; }) << "corrupt file: picture of 0 x";
    QTest::newRow("negative width") << variant([](AviLayout &s) { s.width = -5; }) << "corrupt file: picture of -5 x";
    QTest::newRow("zero height") << variant([](AviLayout &s) { s.height = 0; }) << "corrupt file: picture of";
    QTest::newRow("no frame rate") << variant([](AviLayout &s) {
        s.microsecondsPerFrame = 0;
        s.rate = 0;
    }) << "no frame rate";
    QTest::newRow("no frames") << variant([](AviLayout &s) { s.chunks.clear(); }) << "no frames";
    QTest::newRow("only audio chunks") << variant([](AviLayout &s) {
        for (AviChunk &chunk : s.chunks)
            chunk.id = "01wb";
    }) << "no frames";
    QTest::newRow("frames of another stream") << variant([](AviLayout &s) {
        for (AviChunk &chunk : s.chunks)
            chunk.id = "01dc";
    }) << "no frames";
    QTest::newRow("short uncompressed frame") << variant([](AviLayout &s) {
        s.compression = 0;
        for (AviChunk &chunk : s.chunks)
            chunk.data = packIndexRows(sampleIndexPictures(kWidth, kHeight, 1, 256)[0], kWidth, kHeight, 8, false);
        s.chunks[1].data.pop_back();
    }) << "frame 2 holds 919 bytes, 920 expected";

    std::vector<std::uint8_t> audioOnly = goodBytes;
    std::copy_n("auds", 4, std::search(audioOnly.begin(), audioOnly.end(), std::begin("vids"), std::end("vids") - 1));
    QTest::newRow("audio stream only") << audioOnly << "no video stream";

    std::vector<std::uint8_t> noMainHeader = goodBytes;
    std::copy_n("xxxx", 4, std::search(noMainHeader.begin(), noMainHeader.end(), std::begin("avih"), std::end("avih") - 1));
    QTest::newRow("no main header") << noMainHeader << "no AVI main header";

    std::vector<std::uint8_t> longChunk = goodBytes;
    const auto movie = std::search(longChunk.begin(), longChunk.end(), std::begin("movi00dc"), std::end("movi00dc") - 1);
    std::fill_n(movie + 8, 4, 0xFF);
    QTest::newRow("chunk longer than its list") << longChunk << "corrupt file: chunk '00dc' runs past the end";

    std::vector<std::uint8_t> shortFormat = goodBytes;
    const auto format = std::search(shortFormat.begin(), shortFormat.end(), std::begin("strf"), std::end("strf") - 1);
    std::fill_n(format + 8, 4, 0xFF); // biSize beyond the chunk
    QTest::newRow("bitmap header size beyond its chunk") << shortFormat << "video format too short";

    std::vector<std::uint8_t> manyFrames;
    {
        AviLayout layout;
        layout.width = 1;
        layout.height = 1;
        layout.compression = kBiRle8;
        layout.palette = {0};
        layout.chunks.assign(numoria::kMaxClipFrames + 1, AviChunk{"00dc", {}});
        manyFrames = writeAvi(layout);
    }
    QTest::newRow("too many frames") << manyFrames << "too many frames";
}

void TestAviReader::refusesBadData()
{
    QFETCH(std::vector<std::uint8_t>, bytes);
    QFETCH(QString, reason);
    const AviReadResult result = numoria::readAvi(bytes);
    QVERIFY(!result.clip.has_value());
    QVERIFY2(QString::fromStdString(result.error).contains(reason), result.error.c_str());
    QVERIFY(!QString::fromStdString(result.error).contains('\n'));
}

// Frames that cost nothing in the file but 4 MiB each once decoded.
void TestAviReader::decodedSizeLimitIsExact_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("16 frames of 1024 x 1024 fill the limit") << 16 << true;
    QTest::newRow("17 frames of 1024 x 1024 exceed it") << 17 << false;
}

void TestAviReader::decodedSizeLimitIsExact()
{
    QFETCH(int, frames);
    QFETCH(bool, accepted);
    AviLayout layout;
    layout.width = numoria::kMaxClipSide;
    layout.height = numoria::kMaxClipSide;
    layout.compression = kBiRle8;
    layout.palette = {0x112233};
    layout.chunks.assign(static_cast<std::size_t>(frames), AviChunk{"00dc", {0, 1}});
    const AviReadResult result = numoria::readAvi(writeAvi(layout));
    QCOMPARE(result.clip.has_value(), accepted);
    if (accepted) {
        QCOMPARE(result.clip->frames.size(), static_cast<std::size_t>(frames));
        QCOMPARE(result.clip->frames.back().front(), 0xFF112233u);
    } else {
        QVERIFY2(QString::fromStdString(result.error).contains("need more than the limit of 64 MiB"),
                 result.error.c_str());
    }
}

void TestAviReader::fileLoaderRefuses_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << path("missing.avi") << "file not found";
    QTest::newRow("empty name") << QString() << "file not found";
    QTest::newRow("directory") << dir_.path() << "is a directory";
    QTest::newRow("device") << "/dev/zero" << "not a regular file";
    QTest::newRow("over the size limit") << path("huge.avi") << "file larger than the limit of 64 MiB";
    QTest::newRow("empty") << path("empty.avi") << "empty file";
}

void TestAviReader::fileLoaderRefuses()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QFile huge(path("huge.avi"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(static_cast<qint64>(numoria::kMaxClipFileBytes) + 1)); // sparse: costs no disk
    huge.close();
    QVERIFY(writeBytes(path("empty.avi"), {}));

    const AviReadResult result = numoria::readAviFile(QFile::encodeName(file).toStdString());
    QVERIFY(!result.clip.has_value());
    QCOMPARE(QString::fromStdString(result.error), reason);
}

void TestAviReader::everyTruncationIsRefused_data()
{
    QTest::addColumn<std::vector<std::uint8_t>>("bytes");
    const auto pictures = sampleIndexPictures(kWidth, kHeight, 3, 256);
    QTest::newRow("RLE8") << writeAvi(rleSpec(8, pictures, true));
    AviLayout raw = indexedSpec(8, 0, -kHeight);
    for (const IndexPicture &picture : pictures)
        raw.chunks.push_back({"00db", packIndexRows(picture, kWidth, kHeight, 8, true)});
    QTest::newRow("8-bit top-down") << writeAvi(raw);
}

void TestAviReader::everyTruncationIsRefused()
{
    QFETCH(std::vector<std::uint8_t>, bytes);
    QVERIFY(numoria::readAvi(bytes).clip.has_value());
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const AviReadResult result = numoria::readAvi(std::span(bytes).first(length));
        QVERIFY2(!result.clip.has_value(), ("cut at " + std::to_string(length)).c_str());
        QVERIFY(!result.error.empty());
    }
}

void TestAviReader::survivesCorruption_data()
{
    QTest::addColumn<std::vector<std::uint8_t>>("bytes");
    // A short palette keeps the header small: every header byte gets hit.
    AviLayout rle8 = rleSpec(8, sampleIndexPictures(kWidth, kHeight, 4, 16), true);
    rle8.palette.resize(16);
    QTest::newRow("RLE8") << writeAvi(rle8);
    QTest::newRow("RLE4") << writeAvi(rleSpec(4, sampleIndexPictures(kWidth, kHeight, 4, 16), true));
    AviLayout colour;
    colour.width = kWidth;
    colour.height = kHeight;
    colour.bitCount = 16;
    for (const ColourPicture &picture : sampleColourPictures(kWidth, kHeight, 2))
        colour.chunks.push_back({"00db", packColourRows(picture, kWidth, kHeight, 16, false)});
    QTest::newRow("16-bit") << writeAvi(colour);
}

// Whatever the damage, the reader answers with a sound clip or a reason.
// Run under the sanitizers, this also proves it never reads out of bounds.
void TestAviReader::survivesCorruption()
{
    QFETCH(std::vector<std::uint8_t>, bytes);
    const auto check = [](const std::vector<std::uint8_t> &damaged, const std::string &what) {
        const AviReadResult result = numoria::readAvi(damaged);
        if (!result.clip) {
            QVERIFY2(!result.error.empty(), what.c_str());
            return;
        }
        const AviClip &clip = *result.clip;
        QVERIFY2(clip.width > 0 && clip.width <= numoria::kMaxClipSide, what.c_str());
        QVERIFY2(clip.height > 0 && clip.height <= numoria::kMaxClipSide, what.c_str());
        QVERIFY2(clip.microsecondsPerFrame > 0 && !clip.frames.empty(), what.c_str());
        for (const auto &frame : clip.frames)
            QVERIFY2(frame.size() == static_cast<std::size_t>(clip.width) * clip.height, what.c_str());
    };

    // Every byte of the headers, set to telling values.
    const std::size_t movie = static_cast<std::size_t>(
        std::search(bytes.begin(), bytes.end(), std::begin("movi"), std::end("movi") - 1) - bytes.begin());
    for (std::size_t at = 0; at < movie + 4; ++at) {
        for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::vector<std::uint8_t> damaged = bytes;
            damaged[at] = value;
            check(damaged, "byte " + std::to_string(at) + " set to " + std::to_string(value));
            if (QTest::currentTestFailed())
                return;
        }
    }
    // Random damage anywhere, the same on every run.
    std::mt19937 random(20240229);
    for (int round = 0; round < 2000; ++round) {
        std::vector<std::uint8_t> damaged = bytes;
        const int hits = 1 + static_cast<int>(random() % 8);
        for (int hit = 0; hit < hits; ++hit)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        check(damaged, "round " + std::to_string(round));
        if (QTest::currentTestFailed())
            return;
    }
}

QTEST_GUILESS_MAIN(TestAviReader)
#include "test_avi_reader.moc"
