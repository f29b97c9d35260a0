// The widget that plays the clip: the committed clip in a loop, its timer only
// while on screen, and what an unplayable or a replaced file does.
#include "clip/animation.h"
#include "clip/clip_library.h"

#include <QtTest>

namespace {

const std::filesystem::path kClip = NUMORIA_SOURCE_DIR "/resources/numoria.avi";
const QString kFixtures = QStringLiteral(NUMORIA_SOURCE_DIR "/tests/clip/fixtures/");

// A window holding the animation, counting the paint events it gets.
struct Window : QObject
{
    Window() { animation->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    QWidget window;
    clip::Animation *animation = new clip::Animation(&window);
    int paints = 0;
};

} // namespace

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void playsTheClipInALoop()
    {
        Window w;
        w.animation->setGeometry(10, 10, 41, 61); // half the clip, as the windows show it, and taller
        w.animation->open(kClip);
        QTRY_COMPARE(w.animation->frameCount(), 104);
        // Scaled once, to the device pixels of the area.
        const qreal ratio = w.animation->devicePixelRatioF();
        QCOMPARE(w.animation->shownFrame(0).size(), (QSizeF(41, 41) * ratio).toSize());
        QCOMPARE(w.animation->frameIntervalMs(), 100);
        // Each tick shows the next picture: the four frames of a held glyph
        // are one tick, and the loop wraps round.
        for (int tick = 1, expected = 0; tick <= 104 + 60; ++tick) {
            expected = (expected + (expected % 8 == 0 ? 4 : 1)) % 104;
            w.animation->showNextFrame();
            QCOMPARE(w.animation->currentFrame(), expected);
        }
        // Each new frame is painted, centred and scaled smoothly.
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCoreApplication::processEvents();
        const int paints = w.paints;
        w.animation->showNextFrame();
        QCoreApplication::processEvents();
        QVERIFY(w.paints > paints);
        // A frame held still is stored once.
        QCOMPARE(w.animation->shownFrame(1).cacheKey(), w.animation->shownFrame(0).cacheKey());
        QVERIFY(w.animation->shownFrame(4).cacheKey() != w.animation->shownFrame(3).cacheKey());
        QImage shown = w.animation->shownFrame(w.animation->currentFrame()).convertToFormat(QImage::Format_ARGB32);
        shown.setDevicePixelRatio(1);
        // Centred either way, in device pixels.
        for (const QSize size : {QSize(41, 61), QSize(61, 41)}) {
            w.animation->resize(size);
            QImage painted = w.animation->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            painted.setDevicePixelRatio(1);
            const QPointF corner = QPointF((size.width() - 41) / 2, (size.height() - 41) / 2) * ratio;
            QCOMPARE(painted.copy(QRectF(corner, QSizeF(41, 41) * ratio).toRect()), shown);
        }
    }

    void unplayableFileLeavesItEmpty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.avi" << "file not found";
#ifndef _WIN32  // Windows names hold no line break
        QTest::newRow("a line break in the name") << "two\nlines.avi" << "not an AVI file";
#endif
    }

    void unplayableFileLeavesItEmpty()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QFile file(dir.filePath(name));
        QVERIFY(name == "missing.avi" || (file.open(QIODevice::WriteOnly) && file.write("numoria\n") == 8));
        file.close();
        Window w;
        w.window.show();
        w.animation->open(kClip);
        QTRY_COMPARE(w.animation->frameCount(), 104);

        // Exactly one warning, on one line, naming the file and the reason.
        const QString shown = QDir::toNativeSeparators(file.fileName()).replace('\n', '?');
        const QString warning = QString("Animation: cannot play the clip \"%1\": %2").arg(shown, reason);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::failOnWarning(QRegularExpression());
        QSignalSpy answers(w.animation, &clip::Animation::answered);
        w.animation->open(QFile::encodeName(file.fileName()).toStdString());
        QCOMPARE(w.animation->frameCount(), 0);
        QVERIFY(answers.wait());
        QCOMPARE(answers.front().front().toBool(), false);
        QCOMPARE(w.animation->frameCount(), 0);
        QVERIFY(!w.animation->isPlaying());
        w.animation->showNextFrame(); // harmless with nothing loaded
        QCOMPARE(w.animation->currentFrame(), 0);
    }

    // The timer runs only while the widget is on screen. Each file is decoded
    // once, however many widgets open it, until it changes.
    void playsOnScreenAndDecodesEachFileOnce()
    {
        QTemporaryDir dir;
        const std::filesystem::path path = QFile::encodeName(dir.filePath("clip.avi")).toStdString();
        QVERIFY(QFile::copy(kFixtures + "rle8.avi", dir.filePath("clip.avi")));
        clip::ClipLibrary &library = clip::ClipLibrary::instance();
        const int decodings = library.decodings();
        Window w, other;
        w.animation->resize(41, 41);
        other.animation->resize(30, 30);  // another size: scaled again, not decoded again
        w.animation->open(path);
        other.animation->open(path);
        QTRY_COMPARE(w.animation->frameCount(), 5);
        QTRY_COMPARE(other.animation->frameCount(), 5);
        w.animation->open(path);
        QCOMPARE(w.animation->frameCount(), 5);
        QCOMPARE(library.decodings(), decodings + 1);
        QCOMPARE(w.animation->frameIntervalMs(), 67);
        QVERIFY(!w.animation->isPlaying());
        w.window.show();
        QVERIFY(w.animation->isPlaying());
        w.window.hide();
        QVERIFY(!w.animation->isPlaying());

        // Replaced while shown: it plays on, and the next opening reads the new file.
        for (int frame = 0; frame < 3; ++frame)
            w.animation->showNextFrame();
        QVERIFY(QFile::remove(dir.filePath("clip.avi")) && QFile::copy(kFixtures + "pal8-top-down.avi", dir.filePath("clip.avi")));
        QCOMPARE(w.animation->frameCount(), 5);
        // A new size asks for the frames again, now of the shorter clip: the
        // frame shown (3) becomes its last.
        QSignalSpy answers(w.animation, &clip::Animation::answered);
        w.window.show();
        w.animation->resize(40, 40);
        QVERIFY(answers.wait());
        QCOMPARE(w.animation->frameCount(), 3);
        QCOMPARE(w.animation->currentFrame(), 2); // its last
        // Opened while the window is minimised, a clip waits for it to come back.
        QVERIFY(w.animation->isPlaying());
        w.window.showMinimized();
        QVERIFY(!w.animation->isPlaying());
        w.animation->open(path);
        QTRY_COMPARE(w.animation->frameCount(), 3);
        QCOMPARE(library.decodings(), decodings + 2);  // the shorter clip, once
        QCOMPARE(w.animation->frameIntervalMs(), 10); // 200 frames a second is more than it shows
        QVERIFY(!w.animation->isPlaying());
        w.window.showNormal();
        QVERIFY(w.animation->isPlaying());
        w.animation->open(NUMORIA_SOURCE_DIR "/tests/clip/fixtures/rgb32.avi"); // two frames are enough to move
        QTRY_COMPARE(w.animation->frameCount(), 2);
        QVERIFY(w.animation->isPlaying());
    }

    // Frames scaled beyond what a clip may take are refused like a bad file.
    void aClipBeyondTheMemoryBoundIsRefused()
    {
        Window w;
        w.animation->resize(4096, 4096);
        QSignalSpy answers(w.animation, &clip::Animation::answered);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot play the clip .*rle8.avi\": .*64 MiB"));
        w.animation->open(NUMORIA_SOURCE_DIR "/tests/clip/fixtures/rle8.avi");
        QVERIFY(answers.wait());
        QCOMPARE(answers.front().front().toBool(), false);
        QCOMPARE(w.animation->frameCount(), 0);
    }
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
