// The widget that plays the clip: what it shows, when its timer runs, and
// what a clip that cannot be played leaves behind.

#include "animation.h"
#include "avi_writer.h"
#include "clip_files.h"
#include "message_recorder.h"
#include "sample_pictures.h"

#include <QTemporaryDir>
#include <QtTest>

using numoria::Animation;

namespace {

const QColor kWindowYellow(255, 255, 192);

// Collects the warnings written while it lives.
class WarningCollector
{
public:
    WarningCollector() { previous_ = qInstallMessageHandler(&WarningCollector::collect); }
    ~WarningCollector() { qInstallMessageHandler(previous_); }
    WarningCollector(const WarningCollector &) = delete;
    WarningCollector &operator=(const WarningCollector &) = delete;

    static inline QStringList warnings;

private:
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg)
            warnings << text;
    }
    QtMessageHandler previous_;
};

QImage filled(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QImage grabbed(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32); }

// A light yellow window with the animation at the About box's place.
struct ClipWindow
{
    ClipWindow()
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kWindowYellow);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.resize(120, 90);
        animation = new Animation(&window);
        animation->setGeometry(16, 16, 41, 41);
    }
    QWidget window;
    Animation *animation;
};

} // namespace

class TestAnimation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playsTheClipInALoop();
    void frameIntervalComesFromTheClip_data();
    void frameIntervalComesFromTheClip();
    void showsEveryFrameAtItsOwnSize();
    void scalesTheClipSmoothlyToItsArea();
    void parentBackgroundShowsAroundTheClip();
    void timerRunsOnlyWhileOnScreen();
    void timerWaitsUntilShown();
    void singleFrameClipNeedsNoTimer();
    void unplayableClip_data();
    void unplayableClip();
    void reopeningReplacesTheClip();
    void committedClipBesideTheProgramPlays();

private:
    QString path(const QString &name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TestAnimation::initTestCase()
{
    QVERIFY(dir_.isValid());
    QVERIFY(writeClipFile(path("four.avi"), colourClip(41, 41, 4, 100000)));
    QVERIFY(writeClipFile(path("large.avi"), colourClip(82, 82, 3, 50000)));
    QVERIFY(writeClipFile(path("wide.avi"), colourClip(41, 21, 2, 100000)));
    QVERIFY(writeClipFile(path("still.avi"), colourClip(41, 41, 1, 100000)));
}

void TestAnimation::playsTheClipInALoop()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("four.avi")));
    QCOMPARE(w.animation->frameCount(), 4);
    QCOMPARE(w.animation->clipSize(), QSize(41, 41));
    QCOMPARE(w.animation->currentFrame(), 0);
    QVERIFY(w.animation->isPlaying());
    for (int tick = 1; tick <= 9; ++tick) {
        w.animation->showNextFrame();
        QCOMPARE(w.animation->currentFrame(), tick % 4);
    }
}

void TestAnimation::frameIntervalComesFromTheClip_data()
{
    QTest::addColumn<uint>("microseconds");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("10 per second") << 100000u << 100;
    QTest::newRow("25 per second") << 40000u << 40;
    QTest::newRow("15 per second, rounded") << 66667u << 67;
    QTest::newRow("rounded down") << 33333u << 33;
    QTest::newRow("two seconds") << 2000000u << 2000;
    QTest::newRow("faster than 100 per second is slowed") << 1000u << 10;
}

void TestAnimation::frameIntervalComesFromTheClip()
{
    QFETCH(uint, microseconds);
    QFETCH(int, milliseconds);
    QVERIFY(writeClipFile(path("timed.avi"), colourClip(8, 8, 2, microseconds)));
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("timed.avi")));
    QCOMPARE(w.animation->frameIntervalMs(), milliseconds);
    QVERIFY(w.animation->isPlaying());
}

void TestAnimation::showsEveryFrameAtItsOwnSize()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("four.avi")));
    const auto pictures = sampleColourPictures(41, 41, 4);
    for (int f = 0; f < 4; ++f) {
        QCOMPARE(w.animation->currentFrame(), f);
        const QImage shown = grabbed(*w.animation);
        QCOMPARE(shown.size(), QSize(41, 41));
        for (int y = 0; y < 41; ++y) {
            for (int x = 0; x < 41; ++x)
                QCOMPARE(shown.pixel(x, y), pictures[f][static_cast<std::size_t>(y) * 41 + x]);
        }
        w.animation->showNextFrame();
    }
}

void TestAnimation::scalesTheClipSmoothlyToItsArea()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("large.avi")));
    QCOMPARE(w.animation->clipSize(), QSize(82, 82));
    w.animation->showNextFrame();
    const QImage expected = w.animation->frame(1)
                                .scaled(41, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(grabbed(*w.animation), expected);
}

void TestAnimation::parentBackgroundShowsAroundTheClip()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("wide.avi")));
    // 41 x 21 in a 41 x 41 area: ten rows of window above and below.
    const QImage shown = grabbed(w.window).copy(w.animation->geometry());
    const QImage frame = w.animation->frame(0);
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 41; ++x) {
            const bool inClip = y >= 10 && y < 31;
            const QRgb expected = inClip ? frame.pixel(x, y - 10) : kWindowYellow.rgb();
            QCOMPARE(shown.pixel(x, y), expected);
        }
    }
}

void TestAnimation::timerRunsOnlyWhileOnScreen()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("four.avi")));
    QVERIFY(w.animation->isPlaying());

    w.animation->hide();
    QVERIFY(!w.animation->isPlaying());
    w.animation->show();
    QVERIFY(w.animation->isPlaying());

    w.window.hide();
    QVERIFY(!w.animation->isPlaying());
    w.window.show();
    QVERIFY(w.animation->isPlaying());

    w.window.showMinimized();
    QVERIFY(!w.animation->isPlaying());
    w.window.showNormal();
    QVERIFY(w.animation->isPlaying());
}

void TestAnimation::timerWaitsUntilShown()
{
    ClipWindow w;
    QVERIFY(w.animation->open(path("four.avi")));
    QVERIFY(!w.animation->isPlaying());
    w.window.show();
    QVERIFY(w.animation->isPlaying());

    // Opening while the window is minimised waits for it to come back.
    w.window.showMinimized();
    QVERIFY(w.animation->open(path("four.avi")));
    QVERIFY(!w.animation->isPlaying());
    w.window.showNormal();
    QVERIFY(w.animation->isPlaying());
}

void TestAnimation::singleFrameClipNeedsNoTimer()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("still.avi")));
    QCOMPARE(w.animation->frameCount(), 1);
    QVERIFY(!w.animation->isPlaying());
    w.animation->showNextFrame();
    QCOMPARE(w.animation->currentFrame(), 0);
}

void TestAnimation::unplayableClip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: do not create the file
    QTest::addColumn<QString>("reason");

    const auto bytes = [](const std::vector<std::uint8_t> &data) {
        return QByteArray(reinterpret_cast<const char *>(data.data()), static_cast<qsizetype>(data.size()));
    };
    const QByteArray good = bytes(colourClip(41, 41, 3, 100000));
    AviLayout mjpeg;
    mjpeg.width = 41;
    mjpeg.height = 41;
    mjpeg.bitCount = 24;
    mjpeg.compression = fourccOf("MJPG");
    mjpeg.chunks.push_back({"00dc", {0xFF, 0xD8, 0xFF, 0xD9}});
    AviLayout huge;
    huge.width = 10000;
    huge.height = 10000;
    huge.bitCount = 24;
    huge.chunks.push_back({"00db", std::vector<std::uint8_t>(64)});

    QTest::newRow("missing") << "missing.avi" << QByteArray() << "file not found";
    QTest::newRow("a directory") << "folder.avi" << QByteArray() << "is a directory";
    QTest::newRow("empty") << "empty.avi" << QByteArray("") << "empty file";
    QTest::newRow("truncated") << "truncated.avi" << good.left(good.size() - 100) << "truncated file";
    QTest::newRow("not an AVI") << "text.avi" << QByteArray("numoria\n") << "not an AVI file";
    QTest::newRow("absurd size") << "huge.avi" << bytes(writeAvi(huge))
                                 << "picture of 10000 x 10000 pixels is larger than the limit of 1024 x 1024";
    QTest::newRow("unsupported codec") << "mjpeg.avi" << bytes(writeAvi(mjpeg)) << "unsupported codec 'MJPG'";
}

void TestAnimation::unplayableClip()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString file = path(name);
    if (name == "folder.avi") {
        QVERIFY(QDir(dir_.path()).mkpath(name));
    } else if (!content.isNull()) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(content), content.size());
    }

    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("four.avi"))); // a clip was playing before
    const QImage before = grabbed(w.window);

    MessageRecorder boxes;
    WarningCollector::warnings.clear();
    bool opened = true;
    {
        WarningCollector collector;
        opened = w.animation->open(file);
    }
    QVERIFY(!opened);
    QCOMPARE(WarningCollector::warnings.size(), 1);
    const QString warning = WarningCollector::warnings.first();
    QVERIFY2(warning.contains(QDir::toNativeSeparators(file)) && warning.contains(reason), qPrintable(warning));
    QVERIFY(!warning.contains('\n'));
    QVERIFY(boxes.messages.isEmpty());

    QCOMPARE(w.animation->frameCount(), 0);
    QVERIFY(!w.animation->isPlaying());
    w.animation->showNextFrame(); // harmless with nothing loaded
    const QImage after = grabbed(w.window).copy(w.animation->geometry());
    QCOMPARE(after, filled(QSize(41, 41), kWindowYellow));
    QVERIFY(before.copy(w.animation->geometry()) != after);
}

void TestAnimation::reopeningReplacesTheClip()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(path("four.avi")));
    w.animation->showNextFrame();
    w.animation->showNextFrame();
    QVERIFY(w.animation->open(path("large.avi")));
    QCOMPARE(w.animation->frameCount(), 3);
    QCOMPARE(w.animation->clipSize(), QSize(82, 82));
    QCOMPARE(w.animation->currentFrame(), 0);
    QCOMPARE(w.animation->frameIntervalMs(), 50);
    QVERIFY(w.animation->isPlaying());
    // The window opens the clip again on every language change.
    for (int i = 0; i < 3; ++i)
        QVERIFY(w.animation->open(path("four.avi")));
    QCOMPARE(w.animation->frameCount(), 4);
    QCOMPARE(w.animation->frameIntervalMs(), 100);
    QVERIFY(w.animation->isPlaying());
}

void TestAnimation::committedClipBesideTheProgramPlays()
{
    ClipWindow w;
    w.window.show();
    QVERIFY(w.animation->open(QStringLiteral(NUMORIA_BUILT_CLIP)));
    QCOMPARE(w.animation->clipSize(), QSize(82, 82));
    QVERIFY(w.animation->frameCount() > 50);
    QCOMPARE(w.animation->frameIntervalMs(), 100);
    QVERIFY(w.animation->isPlaying());
    // Blue ink on the window's yellow: the background corner matches it.
    QCOMPARE(w.animation->frame(0).pixel(0, 0), kWindowYellow.rgb());
}

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
