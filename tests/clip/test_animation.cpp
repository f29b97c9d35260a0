// The widget that plays the clip: the committed clip in a loop, its timer only
// while on screen, and what an unplayable or replaced file leaves behind.
#include "clip/animation.h"

#include <QtTest>

namespace {

const QString kClip = QStringLiteral(PROJECT_SOURCE_DIR "/resources/numoria.avi");
const QString kFixtures = QStringLiteral(PROJECT_SOURCE_DIR "/tests/clip/fixtures/");

struct Window
{
    QWidget window;
    clip::Animation *animation = new clip::Animation(&window);
};

} // namespace

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void playsTheClipInALoop()
    {
        Window w;
        w.animation->setGeometry(10, 10, 41, 41); // half the clip, as the windows show it
        QVERIFY(w.animation->open(kClip));
        QCOMPARE(w.animation->frameCount(), 104);
        QCOMPARE(w.animation->clipSize(), QSize(82, 82));
        QCOMPARE(w.animation->frameIntervalMs(), 100);
        for (int tick = 1; tick <= 104 + 60; ++tick) {
            w.animation->showNextFrame();
            QCOMPARE(w.animation->currentFrame(), tick % 104);
        }
        const QImage shown = w.animation->frame(60).scaled(41, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QCOMPARE(w.animation->grab().toImage().convertToFormat(QImage::Format_ARGB32), shown);
    }

    void timerRunsOnlyWhileOnScreen()
    {
        Window w;
        QVERIFY(w.animation->open(kClip));
        QVERIFY(!w.animation->isPlaying());
        w.window.show();
        QVERIFY(w.animation->isPlaying());
        w.window.hide();
        QVERIFY(!w.animation->isPlaying());
        // A clip opened while the window is minimised waits for it to come back.
        w.window.showMinimized();
        QVERIFY(w.animation->open(kClip));
        QVERIFY(!w.animation->isPlaying());
        w.window.showNormal();
        QVERIFY(w.animation->isPlaying());
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

    // The file is read whole when opened: replacing it changes nothing until the
    // next open, which reads the new one.
    void replacedFileKeepsPlaying()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("clip.avi");
        QVERIFY(QFile::copy(kFixtures + "rle8.avi", path));
        Window w;
        w.window.show();
        QVERIFY(w.animation->open(path));
        QCOMPARE(w.animation->frameIntervalMs(), 67);

        QVERIFY(QFile::remove(path) && QFile::copy(kFixtures + "pal8-top-down.avi", path));
        w.animation->showNextFrame();
        QCOMPARE(w.animation->frameCount(), 5);
        QCOMPARE(w.animation->currentFrame(), 1);
        QVERIFY(w.animation->isPlaying());

        QVERIFY(w.animation->open(path));
        QCOMPARE(w.animation->frameCount(), 3);
        QCOMPARE(w.animation->clipSize(), QSize(13, 9));
        QCOMPARE(w.animation->currentFrame(), 0);
        QCOMPARE(w.animation->frameIntervalMs(), 10); // 200 frames a second is more than it shows
        QVERIFY(w.animation->isPlaying());
    }
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
