// The animation on a screen with a device pixel ratio of 2: it paints in
// device pixels, so a clip of twice its area shows every one of its pixels.

#include "animation.h"
#include "clip_files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

using numoria::Animation;

class TestAnimationHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void clipOfTwiceTheAreaIsShownPixelForPixel();
    void smallerClipIsScaledToDevicePixels();

private:
    QImage grabbedFrame(Animation &animation);
    QTemporaryDir dir_;
};

void TestAnimationHiDpi::initTestCase()
{
    QVERIFY(dir_.isValid());
    QWidget probe;
    probe.show();
    QCOMPARE(probe.devicePixelRatioF(), 2.0);
}

QImage TestAnimationHiDpi::grabbedFrame(Animation &animation)
{
    const QPixmap pixmap = animation.grab();
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

void TestAnimationHiDpi::clipOfTwiceTheAreaIsShownPixelForPixel()
{
    QWidget window;
    auto *animation = new Animation(&window);
    animation->setGeometry(16, 16, 41, 41);
    window.show();
    QVERIFY(animation->open(QStringLiteral(NUMORIA_BUILT_CLIP)));
    QCOMPARE(animation->clipSize(), QSize(82, 82));
    for (int f = 0; f < 12; ++f) {
        const QImage shown = grabbedFrame(*animation);
        QCOMPARE(shown.size(), QSize(82, 82));
        QImage expected = animation->frame(f).convertToFormat(QImage::Format_ARGB32);
        expected.setDevicePixelRatio(2);
        QCOMPARE(shown, expected);
        animation->showNextFrame();
    }
}

void TestAnimationHiDpi::smallerClipIsScaledToDevicePixels()
{
    const QString file = dir_.filePath("small.avi");
    QVERIFY(writeClipFile(file, colourClip(41, 41, 2, 100000)));
    QWidget window;
    auto *animation = new Animation(&window);
    animation->setGeometry(16, 16, 41, 41);
    window.show();
    QVERIFY(animation->open(file));
    QImage expected = animation->frame(0)
                          .scaled(82, 82, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .convertToFormat(QImage::Format_ARGB32);
    expected.setDevicePixelRatio(2);
    QCOMPARE(grabbedFrame(*animation), expected);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestAnimationHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_animation_hidpi.moc"
