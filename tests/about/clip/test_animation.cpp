// The widget that plays the clip: what it shows, when its timer runs, and
// what a clip that cannot be played leaves behind.

#include "animation.h"
#include "clip_files.h"
#include "message_recorder.h"
#include "sample_pictures.h"

#include <QTemporaryDir>
#include <QtTest>

using numoria::Animation;

namespace {

const QColor kWindowYellow(255, 255, 192);

QImage grabbed(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

// A light yellow window with the animation at the About box's place.
struct ClipWindow
{
    explicit ClipWindow(bool shown = true)
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kWindowYellow);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.resize(120, 90);
        animation->setGeometry(16, 16, 41, 41);
        window.setVisible(shown);
    }
    QWidget window;
    Animation *animation = new Animation(&window);
};

} // namespace

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsEveryFrameInALoop_data();
    void showsEveryFrameInALoop();
    void frameIntervalComesFromTheClip_data();
    void frameIntervalComesFromTheClip();
    void scalesTheClipSmoothlyToItsArea();
    void timerRunsOnlyWhileOnScreen();
    void unplayableClip_data();
    void unplayableClip();

private:
    QString path(const QString &name) const { return QDir(dir_.path()).filePath(name); }
    QTemporaryDir dir_;
};

void TestAnimation::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(writeClipFile(path("four.avi"), colourClip(41, 41, 4, 100000)));
}

void TestAnimation::showsEveryFrameInALoop_data()
{
    QTest::addColumn<int>("frames");
    QTest::newRow("four frames") << 4;
    QTest::newRow("a still picture needs no timer") << 1;
}

void TestAnimation::showsEveryFrameInALoop()
{
    QFETCH(int, frames);
    const QString file = path(QStringLiteral("%1.avi").arg(frames));
    QVERIFY(writeClipFile(file, colourClip(41, 41, frames, 100000)));
    ClipWindow w;
    QVERIFY(w.animation->open(file));
    QCOMPARE(w.animation->frameCount(), frames);
    QCOMPARE(w.animation->clipSize(), QSize(41, 41));
    QCOMPARE(w.animation->isPlaying(), frames > 1);
    const auto pictures = sampleColourPictures(41, 41, frames);
    for (int tick = 0; tick <= 2 * frames; ++tick) {
        QCOMPARE(w.animation->currentFrame(), tick % frames);
        const auto *pixels = reinterpret_cast<const uchar *>(pictures[tick % frames].data());
        QCOMPARE(grabbed(*w.animation), QImage(pixels, 41, 41, QImage::Format_ARGB32));
        w.animation->showNextFrame();
    }
}

// The main header gives microseconds per frame; without it, the stream's
// rate and scale give frames per second.
void TestAnimation::frameIntervalComesFromTheClip_data()
{
    QTest::addColumn<uint>("mainHeader");
    QTest::addColumn<uint>("scale");
    QTest::addColumn<uint>("rate");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("main header wins over the stream") << 100000u << 1u << 25u << 100;
    QTest::newRow("15 per second, rounded up") << 66667u << 1u << 10u << 67;
    QTest::newRow("30 per second, rounded down") << 33333u << 1u << 10u << 33;
    QTest::newRow("25 per second from the stream") << 0u << 1u << 25u << 40;
    QTest::newRow("faster than 100 per second is slowed") << 1000u << 1u << 10u << 10;
}

void TestAnimation::frameIntervalComesFromTheClip()
{
    QFETCH(uint, mainHeader);
    QFETCH(uint, scale);
    QFETCH(uint, rate);
    QFETCH(int, milliseconds);
    QVERIFY(writeClipFile(path("timed.avi"), colourClip(8, 8, 2, mainHeader, scale, rate)));
    ClipWindow w;
    QVERIFY(w.animation->open(path("timed.avi")));
    QCOMPARE(w.animation->frameIntervalMs(), milliseconds);
}

void TestAnimation::scalesTheClipSmoothlyToItsArea()
{
    QVERIFY(writeClipFile(path("large.avi"), colourClip(82, 82, 2, 100000)));
    ClipWindow w;
    QVERIFY(w.animation->open(path("large.avi")));
    w.animation->showNextFrame();
    const QImage expected = w.animation->frame(1).scaled(41, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(grabbed(*w.animation), expected.convertToFormat(QImage::Format_ARGB32));
}

void TestAnimation::timerRunsOnlyWhileOnScreen()
{
    ClipWindow w(false);
    QVERIFY(w.animation->open(path("four.avi")));
    QVERIFY(!w.animation->isPlaying());
    w.window.show();
    QVERIFY(w.animation->isPlaying());

    w.window.hide();
    QVERIFY(!w.animation->isPlaying());
    w.window.show();
    QVERIFY(w.animation->isPlaying());

    // Opening while the window is minimised waits for it to come back.
    w.window.showMinimized();
    QVERIFY(!w.animation->isPlaying());
    QVERIFY(w.animation->open(path("four.avi")));
    QVERIFY(!w.animation->isPlaying());
    w.window.showNormal();
    QVERIFY(w.animation->isPlaying());
}

void TestAnimation::unplayableClip_data()
{
    QTest::addColumn<QString>("name");       // in the test folder, unless absolute
    QTest::addColumn<QByteArray>("content"); // null: made from the name, or not at all
    QTest::addColumn<QString>("reason");

    const std::vector<std::uint8_t> clip = colourClip(41, 41, 3, 100000);
    const QByteArray good(reinterpret_cast<const char *>(clip.data()), static_cast<qsizetype>(clip.size()));
    // The good clip with bytes of its bitmap header replaced: width and height, or compression.
    const auto patched = [&](int offset, const QByteArray &with) {
        return QByteArray(good).replace(good.indexOf("strf") + offset, with.size(), with);
    };
    QTest::newRow("missing") << "missing.avi" << QByteArray() << "file not found";
    QTest::newRow("a directory") << "folder.avi" << QByteArray() << "is a directory";
    QTest::newRow("a device") << "/dev/zero" << QByteArray() << "not a regular file";
    QTest::newRow("over the size limit") << "huge.avi" << QByteArray() << "file larger than the limit of 64 MiB";
    QTest::newRow("empty") << "empty.avi" << QByteArray("") << "empty file";
    QTest::newRow("truncated") << "truncated.avi" << good.left(good.size() - 100) << "truncated file";
    QTest::newRow("not an AVI") << "text.avi" << QByteArray("numoria\n") << "not an AVI file";
    QTest::newRow("absurd size") << "absurd.avi" << patched(12, QByteArray("\x10\x27\0\0\x10\x27\0\0", 8))
                                 << "picture of 10000 x 10000 pixels is larger than the limit of 1024 x 1024";
    QTest::newRow("unsupported codec") << "mjpeg.avi" << patched(24, "MJPG") << "unsupported codec 'MJPG'";
}

void TestAnimation::unplayableClip()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString file = path(name);
    QFile out(file);
    if (name == "folder.avi")
        QVERIFY(QDir().mkpath(file));
    else if (name == "huge.avi") // sparse: costs no disk
        QVERIFY(out.open(QIODevice::WriteOnly) && out.resize(64 * 1024 * 1024 + 1));
    else if (!content.isNull())
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
    out.close();

    ClipWindow w;
    QVERIFY(w.animation->open(path("four.avi"))); // a clip was playing before
    const QImage before = grabbed(w.window).copy(w.animation->geometry());
    MessageRecorder boxes;
    // Exactly one warning, on one line, naming the file and the reason.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("\\A[^\\n]*" + QRegularExpression::escape(QDir::toNativeSeparators(file))
                                                          + "[^\\n]*" + QRegularExpression::escape(reason) + "[^\\n]*\\z"));
    QTest::failOnWarning(QRegularExpression());
    QVERIFY(!w.animation->open(file));
    QVERIFY(boxes.messages.isEmpty());
    QCOMPARE(w.animation->frameCount(), 0);
    QVERIFY(!w.animation->isPlaying());
    w.animation->showNextFrame(); // harmless with nothing loaded
    QImage empty(41, 41, QImage::Format_ARGB32);
    empty.fill(kWindowYellow);
    QCOMPARE(grabbed(w.window).copy(w.animation->geometry()), empty);
    QVERIFY(before != empty);
}

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
