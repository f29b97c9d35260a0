// The clip reader: every format it plays, decoded as FFmpeg decodes it (the
// pictures in fixtures/), and every clip it refuses, with its reason.
#include "clip/avi_reader.h"
#include "clip/clip_limits.h"
#include "clip/frame_decoder.h"
#include "clip/scaled_clip.h"

#include <sys/stat.h>

#include <QtEndian>
#include <QtTest>

namespace {

const QString kFixtures = QStringLiteral(NUMORIA_SOURCE_DIR "/tests/clip/fixtures/");

QByteArray fixture(const QString &name)
{
    QFile file(kFixtures + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray le32(qint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&value), 4);
}

// The clip with the bytes `offset` past the first `tag` replaced.
QByteArray patched(QByteArray clip, const char *tag, int offset, const QByteArray &with)
{
    return clip.replace(clip.indexOf(tag) + offset, with.size(), with);
}

// The clip with `body` in its movie list, which comes last, instead of its frames.
QByteArray withMovie(const QByteArray &clip, const QByteArray &body)
{
    const QByteArray bytes = clip.left(clip.indexOf("movi") + 4) + body;
    return patched(patched(bytes, "movi", -4, le32(body.size() + 4)), "RIFF", 4, le32(bytes.size() - 8));
}

}  // namespace

class TestAviReader : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void decodesAsFfmpeg_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("frames");
        QTest::addColumn<uint>("microseconds");
        QTest::newRow("8-bit bottom-up") << "pal8-bottom-up" << 3 << 100000u;
        QTest::newRow("8-bit top-down") << "pal8-top-down" << 3 << 5000u;
        QTest::newRow("16-bit, rate from the stream") << "rgb16" << 2 << 666667u;
        QTest::newRow("24-bit top-down, audio first, rec list") << "rgb24-top-down" << 2 << 100000u;
        QTest::newRow("32-bit") << "rgb32" << 2 << 100000u;
        QTest::newRow("RLE8 keys, deltas, a raw frame") << "rle8" << 5 << 66667u;
    }

    void decodesAsFfmpeg()
    {
        QFETCH(QString, clip);
        QFETCH(int, frames);
        QFETCH(uint, microseconds);
        const QByteArray bytes = fixture(clip + ".avi");
        const clip::AviReadResult result =
            clip::readAvi(std::span(reinterpret_cast<const quint8 *>(bytes.data()), bytes.size()));
        QVERIFY2(result.clip, result.error.c_str());
        QCOMPARE(result.clip->microsecondsPerFrame, microseconds);
        QCOMPARE(result.clip->frames.size(), std::size_t(frames));
        clip::avi::FrameDecoder decoder(result.clip->format);
        for (int i = 0; i < frames; ++i) {
            QCOMPARE(decoder.decode(result.clip->frames[i]), std::string());
            const QImage expected(kFixtures + QStringLiteral("%1-%2.png").arg(clip).arg(i + 1));
            const QImage actual(reinterpret_cast<const uchar *>(decoder.picture().data()), result.clip->format.width,
                                std::abs(result.clip->format.height), QImage::Format_ARGB32);
            QCOMPARE(actual, expected.convertToFormat(QImage::Format_ARGB32));
        }
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a directory") << dir_.path() << "is a directory";
#ifndef _WIN32  // devices and symbolic links as Linux has them
        QTest::newRow("a device") << "/dev/null"
                                  << "not a regular file";
        QVERIFY(QFile::link("loop.avi", dir_.filePath("loop.avi")));
        QTest::newRow("a link to itself") << dir_.filePath("loop.avi") << "Too many levels of symbolic links";
        QVERIFY(mkfifo(QFile::encodeName(dir_.filePath("fifo.avi")).constData(), 0600) == 0);
        QTest::newRow("a FIFO, never waited on") << dir_.filePath("fifo.avi") << "not a regular file";
#endif
        QFile large(dir_.filePath("large.avi"));  // sparse: costs no disk
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(clip::kMaxClipFileBytes + 1));
        QTest::newRow("over 64 MiB") << large.fileName() << "file larger than the limit of 64 MiB";

        // Byte-level cases, each written to a file named after the row.
        const auto bad = [this](const char *name, const QByteArray &bytes, const char *reason) {
            QFile out(dir_.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
            QTest::newRow(name) << out.fileName() << QString(reason);
        };
        const QByteArray pal8 = fixture("pal8-bottom-up.avi"), rle8 = fixture("rle8.avi"), no = "00db" + le32(0);
        bad("empty", {}, "empty file");
        bad("a WAVE file", patched(pal8, "AVI ", 0, "WAVE"), "not an AVI file");
        bad("RIFF size below 4", patched(pal8, "RIFF", 4, le32(3)), "not an AVI file");
        bad("RIFF of its type alone", patched(pal8, "RIFF", 4, le32(4)), "no video stream");
        bad("truncated", pal8.chopped(1), "truncated file: 1735 bytes where the header announces 1736");
        bad("too long", withMovie(pal8, "00db" + le32(9)), "corrupt file: chunk '00db' runs past its list");
        bad("no video stream", patched(pal8, "vids", 0, "auds"), "no video stream");
        bad("video without format", patched(pal8, "strf", 0, "strx"), "corrupt file: video stream without a format");
        bad("format below 40 bytes", patched(pal8, "strf", 8, le32(39)), "corrupt file: video format too short");
        bad("format past its chunk", patched(pal8, "strf", 8, le32(1065)), "corrupt file: video format too short");
        bad("no movie list", patched(pal8, "movi", 0, "movx"), "no frames");
        bad("no frames", withMovie(pal8, "LIST" + le32(0) + "00wb" + le32(0) + "01db" + le32(1) + "x"), "no frames");
        bad("MJPEG", patched(pal8, "strf", 24, "MJPG"), "unsupported codec 'MJPG'");
        bad("unprintable codec", patched(pal8, "strf", 24, le32(0x20580A7F)), "unsupported codec '??X '");
        bad("bit fields", patched(pal8, "strf", 24, le32(3)), "unsupported codec: compression type 3");
        bad("RLE4", patched(rle8, "strf", 24, le32(2)), "unsupported codec RLE4");
        bad("mrle with 4 bits", patched(rle8, "strf", 22, "\x04"), "unsupported RLE video with 4 bits per pixel");
        bad("raw 4-bit", patched(pal8, "strf", 22, "\x04"), "unsupported uncompressed video with 4 bits per pixel");
        bad("RLE top-down", patched(rle8, "strf", 16, le32(-9)), "corrupt file: RLE video stored top-down");
        bad("no width", patched(pal8, "strf", 12, le32(0)), "corrupt file: picture of 0 x 9 pixels");
        bad("no height", patched(rle8, "strf", 16, le32(0)), "corrupt file: picture of 13 x 0 pixels");
        bad("wide", patched(pal8, "strf", 12, le32(1025)), "picture of 1025 x 9 pixels is larger than 1024 x 1024");
        bad("tall", patched(pal8, "strf", 16, le32(-1025)), "picture of 13 x 1025 pixels is larger than 1024 x 1024");
        bad("too many frames", withMovie(pal8, no.repeated(65537)), "too many frames (the limit is 65536)");
        bad("no frame scale", patched(fixture("rgb16.avi"), "strh", 28, le32(0)), "corrupt file: no frame rate");
        bad("no frame rate", patched(fixture("rgb16.avi"), "strh", 32, le32(0)), "corrupt file: no frame rate");
        bad("short", withMovie(pal8, "00db" + le32(2) + "ab"), "corrupt file: frame 1 holds 2 bytes, 144 expected");
        bad("palette change", withMovie(rle8, "00pc" + le32(4) + le32(0)), "unsupported palette change in the clip");
    }

    // Refused as the animation opens a file, at any size of its area.
    void refuses()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        for (const QSize area : {QSize(41, 41), QSize(4096, 4096)}) {
            const auto opened = clip::ScaledClip::open(QFile::encodeName(path).toStdString(), area, 1, 0, {});
            QVERIFY(!opened.clip);
            QCOMPARE(opened.error, reason);
        }
    }

    // Malformed RLE8 data on a 4 x 2 picture that starts as all 9s.
    void rleKeepsToThePicture_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("picture");  // top row first
        QTest::newRow("a run past the line end") << QByteArray("0102 0000 0601") << QByteArray("01010101 02090909");
        QTest::newRow("half an instruction at the end") << QByteArray("0105 07") << QByteArray("09090909 05090909");
        QTest::newRow("a literal cut short") << QByteArray("0105 0005 0102") << QByteArray("09090909 05090909");
        QTest::newRow("a literal that ends the data") << QByteArray("0003 010203") << QByteArray("09090909 01020309");
        QTest::newRow("nothing above the top line") << QByteArray("0002 0002 0103") << QByteArray("09090909 09090909");
    }

    void rleKeepsToThePicture()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, picture);
        const QByteArray bytes = QByteArray::fromHex(data);
        clip::avi::IndexPicture decoded{4, 2, std::vector<std::uint8_t>(8, 9)};
        clip::avi::decodeRle8(std::span(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size()), decoded);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(decoded.indices.data()), 8), QByteArray::fromHex(picture));
    }
};

QTEST_APPLESS_MAIN(TestAviReader)
#include "test_avi_reader.moc"
