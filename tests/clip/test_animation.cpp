// The widget that plays the clip: the committed clip in a loop, its timer only
// while on screen, clips of any length, and what an unplayable, a changed or
// a swapped file does.
#include "clip/animation.h"
#include "clip/clip_limits.h"

#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const std::filesystem::path kClip = NUMORIA_SOURCE_DIR "/resources/numoria.avi";
const QString kFixtures = QStringLiteral(NUMORIA_SOURCE_DIR "/tests/clip/fixtures/");

QByteArray le32(quint32 value)
{
    value = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&value), 4);
}

QByteArray chunk(const char *tag, const QByteArray &data) { return tag + le32(data.size()) + data; }

// An 8-bit clip over a grey palette, each frame's chunk as given: raw rows
// (padded to four bytes), or RLE8 data when `rle`.
QByteArray aviClip(int width, int height, quint32 microseconds, const QList<QByteArray> &frames, bool rle = false)
{
    QByteArray palette, movie;
    for (int level = 0; level < 256; ++level)
        palette += QByteArray(3, char(level)) + '\0';
    for (const QByteArray &frame : frames)
        movie += chunk(rle ? "00dc" : "00db", frame);
    const QByteArray main = le32(microseconds) + QByteArray(12, 0) + le32(frames.size()) + QByteArray(12, 0)
                            + le32(width) + le32(height) + QByteArray(16, 0);
    const QByteArray format = le32(40) + le32(width) + le32(height) + QByteArray::fromHex("01000800")
                              + le32(rle ? 1 : 0) + QByteArray(20, 0) + palette;
    const QByteArray stream = "strl" + chunk("strh", "vids" + QByteArray(52, 0)) + chunk("strf", format);
    const QByteArray headers = "hdrl" + chunk("avih", main) + chunk("LIST", stream);
    return chunk("RIFF", "AVI " + chunk("LIST", headers) + chunk("LIST", "movi" + movie));
}

// An RLE8 frame of one grey level.
QByteArray rleFill(int width, int height, int level)
{
    QByteArray line;
    for (int x = 0; x < width; x += 255)
        line += char(std::min(255, width - x)) + QByteArray(1, char(level));
    return (line + QByteArray(2, 0)).repeated(height) + QByteArray::fromHex("0001");
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

std::filesystem::path native(const QString &path) { return QFile::encodeName(path).toStdString(); }

// A window holding the animation, counting the paint events it gets.
struct Window : QObject {
    Window() { animation->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    bool openAndWait(const std::filesystem::path &file)
    {
        QSignalSpy answers(animation, &clip::Animation::answered);
        animation->open(file);
        return answers.wait(10000) && answers.front().front().toBool();
    }
    QWidget window;
    clip::Animation *animation = new clip::Animation(&window);
    int paints = 0;
};

}  // namespace

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void playsTheClipInALoop()
    {
        Window w;
        w.animation->setGeometry(10, 10, 41, 61);  // half the clip, as the windows show it, and taller
        QVERIFY(w.openAndWait(kClip));
        QCOMPARE(w.animation->frameCount(), 104);
        // Scaled once, to the device pixels of the area; a frame held still
        // is stored once: 13 glyphs, each held, then 4 fading frames.
        const qreal ratio = w.animation->devicePixelRatioF();
        const QSize device = (QSizeF(41, 41) * ratio).toSize();
        QCOMPARE(w.animation->shownPicture().size(), device);
        QCOMPARE(clip::ScaledClip::heldBytesOfAll(), 13 * 5 * device.width() * device.height() * 4);
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
        QImage shown = w.animation->shownPicture().convertToFormat(QImage::Format_ARGB32);
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
        QTest::newRow("missing") << "missing.avi"
                                 << "file not found";
#ifndef _WIN32  // Windows names hold no line break
        QTest::newRow("a line break in the name") << "two\nlines.avi"
                                                  << "not an AVI file";
#endif
    }

    // One warning for each version of the file, however often the windows
    // open it (at each language switch, each About box).
    void unplayableFileLeavesItEmpty()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(name == "missing.avi" || write(path, "numoria\n"));
        Window w, other;
        w.window.show();
        QVERIFY(w.openAndWait(kClip));

        const QString shown = QDir::toNativeSeparators(path).replace('\n', '?');
        const QString warning = QString("Animation: cannot play the clip \"%1\": %2").arg(shown, reason);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::failOnWarning(QRegularExpression());
        for (Window *window : {&w, &other, &w}) {
            QVERIFY(!window->openAndWait(native(path)));
            QCOMPARE(window->animation->frameCount(), 0);
            QVERIFY(!window->animation->isPlaying());
            window->animation->showNextFrame();  // harmless with nothing loaded
            QCOMPARE(window->animation->currentFrame(), 0);
        }
        // Another version of the file says it again, once.
        if (name != "missing.avi") {
            QVERIFY(write(path, "numoria, again\n"));
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
            QVERIFY(!w.openAndWait(native(path)));
            QVERIFY(!other.openAndWait(native(path)));
        }
    }

    // The timer runs only while the widget is on screen; a changed file is
    // read again at the next opening, and what it replaces is let go.
    void playsOnScreenAndFollowsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("clip.avi");
        QVERIFY(QFile::copy(kFixtures + "rle8.avi", path));
        Window w, other;
        w.animation->resize(41, 41);
        other.animation->resize(30, 30);
        QVERIFY(w.openAndWait(native(path)) && other.openAndWait(native(path)));
        QCOMPARE(w.animation->frameCount(), 5);
        QCOMPARE(w.animation->frameIntervalMs(), 67);
        QVERIFY(!w.animation->isPlaying());
        w.window.show();
        QVERIFY(w.animation->isPlaying());
        w.window.hide();
        QVERIFY(!w.animation->isPlaying());

        // Replaced many times, opened again each time (a language switch) by
        // both widgets: what they hold stays the same.
        std::int64_t held = 0;
        for (int change = 0; change < 8; ++change) {
            QVERIFY(QFile::remove(path) && QFile::copy(kFixtures + "rle8.avi", path));
            QVERIFY(w.openAndWait(native(path)) && other.openAndWait(native(path)));
            held = change ? held : clip::ScaledClip::heldBytesOfAll();
            QCOMPARE(clip::ScaledClip::heldBytesOfAll(), held);
        }

        // Replaced while shown: it plays on, and a new size reads the new
        // file: the frame shown (3) becomes the shorter clip's last.
        for (int frame = 0; frame < 3; ++frame)
            w.animation->showNextFrame();
        QVERIFY(QFile::remove(path) && QFile::copy(kFixtures + "pal8-top-down.avi", path));
        QCOMPARE(w.animation->frameCount(), 5);
        QSignalSpy answers(w.animation, &clip::Animation::answered);
        w.window.show();
        w.animation->resize(40, 40);
        QVERIFY(answers.wait());
        QCOMPARE(w.animation->frameCount(), 3);
        QCOMPARE(w.animation->currentFrame(), 2);
        // Opened while the window is minimised, a clip waits for it to come back.
        QVERIFY(w.animation->isPlaying());
        w.window.showMinimized();
        QVERIFY(!w.animation->isPlaying());
        QVERIFY(w.openAndWait(native(path)));
        QCOMPARE(w.animation->frameIntervalMs(), 10);  // 200 frames a second is more than it shows
        QVERIFY(!w.animation->isPlaying());
        w.window.showNormal();
        QVERIFY(w.animation->isPlaying());
    }

    void anyLengthPlays_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<bool>("held");
        QTest::newRow("pictures held") << QSize(41, 41) << true;
        QTest::newRow("pictures beyond the bound, decoded as they come") << QSize(1000, 1000) << false;
    }

    // 600 frames of 320 x 240 at 25 a second: more than 64 MiB decoded.
    void anyLengthPlays()
    {
        QFETCH(QSize, area);
        QFETCH(bool, held);
        QTemporaryDir dir;
        QList<QByteArray> frames;
        for (int frame = 0; frame < 600; ++frame)
            frames.append(rleFill(320, 240, frame % 256));
        QVERIFY(write(dir.filePath("long.avi"), aviClip(320, 240, 40000, frames, true)));
        Window w;
        w.animation->resize(area);
        w.window.show();
        QVERIFY(w.openAndWait(native(dir.filePath("long.avi"))));
        QCOMPARE(w.animation->frameCount(), 600);
        const QSize device =
            QSize(320, 240).scaled((QSizeF(area) * w.animation->devicePixelRatioF()).toSize(), Qt::KeepAspectRatio);
        const std::int64_t picture = device.width() * device.height() * 4;
        QCOMPARE(clip::ScaledClip::heldBytesOfAll(), held ? 600 * picture : picture);
        QVERIFY(clip::ScaledClip::heldBytesOfAll() <= std::int64_t(clip::kMaxHeldPictureBytes));
        QTRY_VERIFY(w.animation->currentFrame() >= 3);
        const int frame = w.animation->currentFrame();
        QCOMPARE(qGray(w.animation->shownPicture().pixel(0, 0)), frame % 256);
        QVERIFY(clip::ScaledClip::heldBytesOfAll() <= std::int64_t(clip::kMaxHeldPictureBytes));
    }

    // Decoded as they come, each loop starts again over an empty picture: a
    // first frame that draws nothing shows black, not the loop's last frame.
    void aLoopStartsOverAnEmptyPicture()
    {
        QTemporaryDir dir;
        const QByteArray nothing = QByteArray::fromHex("0001");
        QVERIFY(write(dir.filePath("delta.avi"),
                      aviClip(1000, 1000, 40000, {nothing, rleFill(1000, 1000, 200), nothing}, true)));
        auto opened = clip::ScaledClip::open(native(dir.filePath("delta.avi")), QSize(1000, 1000), 1, 0, {});
        QVERIFY(opened.clip);
        QCOMPARE(opened.clip->framesHeldFrom(1), 1);  // beyond the bound: nothing held ahead
        QString error;
        QList<int> levels;
        for (int frame : {0, 1, 2, 0})
            levels << qGray(opened.clip->picture(frame, error).pixel(500, 500));
        QCOMPARE(levels, QList<int>({0, 200, 200, 0}));
        QVERIFY(error.isEmpty());
        // Opened again at a frame past its end (the file got shorter): its last.
        opened = clip::ScaledClip::open(native(dir.filePath("delta.avi")), QSize(1000, 1000), 1, 7, {});
        QVERIFY(opened.clip);
        QCOMPARE(qGray(opened.clip->picture(2, error).pixel(500, 500)), 200);
    }

    // A clip faster than 25 pictures a second keeps its speed by skipping
    // frames: each tick comes when a new picture is due, never sooner than
    // 40 ms after the last, and shows the frame due at that time.
    void aFastClipKeepsItsSpeed()
    {
        QTemporaryDir dir;
        QList<QByteArray> frames;  // 15 ms each: pictures of 1, 1 and 4 frames in turn
        for (int picture = 0; picture < 18; ++picture)
            frames.append(QList<QByteArray>(picture % 3 == 2 ? 4 : 1, QByteArray(1, char(picture)) + QByteArray(3, 0)));
        QVERIFY(write(dir.filePath("fast.avi"), aviClip(1, 1, 15000, frames)));
        Window w;
        w.animation->resize(41, 41);
        QVERIFY(w.openAndWait(native(dir.filePath("fast.avi"))));
        QList<int> shown;
        for (int tick = 0; tick < 8; ++tick) {
            w.animation->showNextFrame();
            shown << w.animation->currentFrame();
        }
        // At 40, 90, 120, 180, 210, 270, 300 and 360 ms.
        QCOMPARE(shown, QList<int>({2, 6, 8, 12, 14, 18, 20, 24}));
    }

    // Decoded as it plays, a clip whose file is cut short says which frame
    // is gone, and stops, showing its ground.
    void aClipCutShortWhilePlayingStops()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cut.avi");
        QList<QByteArray> frames;
        for (int frame = 0; frame < 3; ++frame)
            frames.append(rleFill(1000, 1000, 50 * (frame + 1)));
        QVERIFY(write(path, aviClip(1000, 1000, 40000, frames, true)));
        Window w;
        w.animation->resize(1000, 1000);
        QVERIFY(w.openAndWait(native(path)));
        QVERIFY(QFile::resize(path, QFileInfo(path).size() - 2 * (frames[0].size() + 8)));  // frame 1 alone stays
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Animation: cannot play the clip \"%1\": the "
                                                                     "file changed while it was read: frame 2 is gone")
                                                          .arg(QDir::toNativeSeparators(path))));
        QTest::failOnWarning(QRegularExpression());
        w.animation->showNextFrame();
        QCOMPARE(w.animation->frameCount(), 0);
        QVERIFY(!w.animation->isPlaying());
        QVERIFY(w.animation->shownPicture().isNull());
    }

    void holdsForLongWithoutOverflow_data()
    {
        QTest::addColumn<int>("lastLevel");
        QTest::addColumn<bool>("moving");
        QTest::newRow("one picture: nothing to play") << 5 << false;
        QTest::newRow("599 frames still, then another") << 200 << true;
    }

    // 0xFFFFFFFF microseconds a frame (71 minutes): the waits are counted
    // without overflow, and a still picture wakes nothing.
    void holdsForLongWithoutOverflow()
    {
        QFETCH(int, lastLevel);
        QFETCH(bool, moving);
        QTemporaryDir dir;
        QList<QByteArray> frames(599, QByteArray::fromHex("05000000"));
        frames.append(QByteArray(1, char(lastLevel)) + QByteArray(3, 0));
        QVERIFY(write(dir.filePath("slow.avi"), aviClip(1, 1, 0xFFFFFFFF, frames)));
        Window w;
        w.animation->resize(41, 41);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QVERIFY(w.openAndWait(native(dir.filePath("slow.avi"))));
        QCOMPARE(w.animation->frameIntervalMs(), 4294967);
        QCOMPARE(w.animation->isPlaying(), moving);
        const int paints = w.paints;
        QTest::qWait(300);
        QVERIFY(w.paints <= paints + 1);
        QCOMPARE(w.animation->currentFrame(), 0);
    }

#ifndef _WIN32  // FIFOs as Linux has them
    // The clip swapped between a file and a FIFO while it is opened again
    // and again: no opening waits for a writer, and the widgets can go.
    void aFifoSwappedInNeverBlocks()
    {
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.filePath("clip.avi"));
        const QByteArray file = QFile::encodeName(dir.filePath("file")), fifo = QFile::encodeName(dir.filePath("fifo"));
        QVERIFY(QFile::copy(kFixtures + "rle8.avi", dir.filePath("file")));
        QVERIFY(mkfifo(fifo.constData(), 0600) == 0);
        std::atomic<bool> swapping = true;
        std::thread swapper([&] {
            while (swapping) {
                for (const QByteArray &name : {file, fifo}) {
                    ::rename(name.constData(), path.constData());
                    std::this_thread::yield();
                    ::rename(path.constData(), name.constData());
                }
            }
        });
        int answered = 0;
        {
            Window w, other;
            for (int opening = 0; opening < 100; ++opening) {
                for (Window *window : {&w, &other}) {
                    QSignalSpy answers(window->animation, &clip::Animation::answered);
                    window->animation->open(path.toStdString());
                    answered += answers.wait(2000);
                }
            }
            swapping = false;
            swapper.join();
            // A reader left waiting on the FIFO would keep the widgets from going.
            ::close(::open(fifo.constData(), O_WRONLY | O_NONBLOCK));
        }
        QCOMPARE(answered, 200);
    }
#endif
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
