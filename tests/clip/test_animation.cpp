// The widget that plays the clip: the committed clip in a loop, its timer only
// while on screen, and what an unplayable or a replaced file does.
#include "clip/animation.h"

#include <QtTest>

namespace {

const QString kClip = QStringLiteral(PROJECT_SOURCE_DIR "/resources/numoria.avi");
const QString kFixtures = QStringLiteral(PROJECT_SOURCE_DIR "/tests/clip/fixtures/");

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
        QVERIFY(w.animation->open(kClip));
        QCOMPARE(w.animation->frameCount(), 104);
        for (int tick = 1; tick <= 104 + 60; ++tick) {
            w.animation->showNextFrame();
            QCOMPARE(w.animation->currentFrame(), tick % 104);
        }
        // Each new frame is painted, scaled smoothly and centred either way.
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCoreApplication::processEvents();
        const int paints = w.paints;
        w.animation->showNextFrame();
        QCoreApplication::processEvents();
        QVERIFY(w.paints > paints);
        const QImage shown = w.animation->frame(w.animation->currentFrame()).scaled(41, 41, Qt::IgnoreAspectRatio,
                                                                                    Qt::SmoothTransformation);
        for (const QSize size : {QSize(41, 61), QSize(61, 41)}) {
            w.animation->resize(size);
            const QImage painted = w.animation->grab().toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(painted.copy((size.width() - 41) / 2, (size.height() - 41) / 2, 41, 41), shown);
        }
    }

    void unplayableFileLeavesItEmpty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing.avi" << "file not found";
        QTest::newRow("a line break in the name") << "two\nlines.avi" << "not an AVI file";
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
        QVERIFY(w.animation->open(kClip));

        // Exactly one warning, on one line, naming the file and the reason.
        const QString shown = QDir::toNativeSeparators(file.fileName()).replace('\n', '?');
        const QString warning = QString("Animation: cannot play the clip \"%1\": %2").arg(shown, reason);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::failOnWarning(QRegularExpression());
        QVERIFY(!w.animation->open(file.fileName()));
        QCOMPARE(w.animation->frameCount(), 0);
        QVERIFY(!w.animation->isPlaying());
        w.animation->showNextFrame(); // harmless with nothing loaded
        QCOMPARE(w.animation->currentFrame(), 0);
    }

    // The timer runs only while the widget is on screen. The file is read whole
    // when opened: replacing it changes nothing until the next open.
    void playsOnScreenAndRereadsAtEachOpen()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("clip.avi");
        QVERIFY(QFile::copy(kFixtures + "rle8.avi", path));
        Window w;
        QVERIFY(w.animation->open(path));
        QCOMPARE(w.animation->frameIntervalMs(), 67);
        QVERIFY(!w.animation->isPlaying());
        w.window.show();
        QVERIFY(w.animation->isPlaying());

        QVERIFY(QFile::remove(path) && QFile::copy(kFixtures + "pal8-top-down.avi", path));
        w.animation->showNextFrame();
        QCOMPARE(w.animation->frameCount(), 5);
        QCOMPARE(w.animation->currentFrame(), 1);
        w.window.hide();
        QVERIFY(!w.animation->isPlaying());

        // Opened while the window is minimised, a clip waits for it to come back.
        w.window.showMinimized();
        QVERIFY(w.animation->open(path));
        QCOMPARE(w.animation->frameCount(), 3);
        QCOMPARE(w.animation->currentFrame(), 0);
        QCOMPARE(w.animation->frameIntervalMs(), 10); // 200 frames a second is more than it shows
        QVERIFY(!w.animation->isPlaying());
        w.window.showNormal();
        QVERIFY(w.animation->isPlaying());
    }
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
