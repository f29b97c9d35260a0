// The animation on a screen with a device pixel ratio of 2: it paints in
// device pixels, so a clip of twice its area shows every one of its pixels.

#include "animation.h"

#include <QApplication>
#include <QtTest>

class TestAnimationHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void clipOfTwiceTheAreaIsShownPixelForPixel();
};

void TestAnimationHiDpi::clipOfTwiceTheAreaIsShownPixelForPixel()
{
    QWidget window;
    auto *animation = new numoria::Animation(&window);
    animation->setGeometry(16, 16, 41, 41);
    window.show();
    QCOMPARE(window.devicePixelRatioF(), 2.0);
    QVERIFY(animation->open(QStringLiteral(NUMORIA_BUILT_CLIP)));
    QCOMPARE(animation->clipSize(), QSize(82, 82));
    for (int f = 0; f < 12; ++f) {
        QImage expected = animation->frame(f).convertToFormat(QImage::Format_ARGB32);
        expected.setDevicePixelRatio(2);
        QCOMPARE(animation->grab().toImage().convertToFormat(QImage::Format_ARGB32), expected);
        animation->showNextFrame();
    }
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestAnimationHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_animation_hidpi.moc"
