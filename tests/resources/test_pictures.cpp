// Guards the embedded pictures: every ideogram loads and looks like a blue
// glyph on black, they are all different, and the logo has its fixed format.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QtTest>

namespace {

constexpr int FirstIdeogram = 101;
constexpr int LastIdeogram = 113;

QString ideogramPath(int id)
{
    return QStringLiteral(":/ideograms/%1.svg").arg(id);
}

// Renders onto a transparent image, so a picture without its black ground
// shows up as transparent pixels rather than passing by accident.
QImage render(int id, int size)
{
    QSvgRenderer renderer(ideogramPath(id));
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

bool isGround(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qRed(pixel) < 16 && qGreen(pixel) < 16 && qBlue(pixel) < 16;
}

bool isInk(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qBlue(pixel) >= 200 && qRed(pixel) < 100 && qGreen(pixel) < 140;
}

// Anti-aliased edges blend ink into ground: still blue-dominated.
bool isBlueOrBlack(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qBlue(pixel) >= qRed(pixel) && qBlue(pixel) >= qGreen(pixel)
           && qRed(pixel) < 100 && qGreen(pixel) < 140;
}

// Number of separate ink runs met going down the middle column.
int inkRunsDownTheMiddle(const QImage &image)
{
    const int x = image.width() / 2;
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool ink = qBlue(image.pixel(x, y)) >= 128;
        if (ink && !inside)
            ++runs;
        inside = ink;
    }
    return runs;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void ideogramLoads_data();
    void ideogramLoads();
    void ideogramIsBlueOnBlack_data();
    void ideogramIsBlueOnBlack();
    void horizontalStrokesMatchTheDigit_data();
    void horizontalStrokesMatchTheDigit();
    void ideogramsAreAllDifferent_data();
    void ideogramsAreAllDifferent();
    void logoIsA256ColourPicture();
};

void TestPictures::ideogramLoads_data()
{
    QTest::addColumn<int>("id");
    for (int id = FirstIdeogram; id <= LastIdeogram; ++id)
        QTest::newRow(qPrintable(QString::number(id))) << id;
}

void TestPictures::ideogramLoads()
{
    QFETCH(int, id);
    QVERIFY2(QFile::exists(ideogramPath(id)), qPrintable(ideogramPath(id)));
    QSvgRenderer renderer(ideogramPath(id));
    QVERIFY(renderer.isValid());
    // Square, so stretching into the square cell does not distort the glyph.
    QCOMPARE(renderer.defaultSize(), QSize(32, 32));
    QCOMPARE(renderer.viewBoxF().width(), renderer.viewBoxF().height());
}

void TestPictures::ideogramIsBlueOnBlack_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("size");
    for (int size : {32, 64})
        for (int id = FirstIdeogram; id <= LastIdeogram; ++id)
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2 px").arg(id).arg(size))) << id << size;
}

void TestPictures::ideogramIsBlueOnBlack()
{
    QFETCH(int, id);
    QFETCH(int, size);
    const QImage image = render(id, size);

    int ground = 0;
    int ink = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (!isBlueOrBlack(pixel))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) is #%3, neither blue nor black")
                                     .arg(x).arg(y).arg(pixel, 8, 16, QLatin1Char('0'))));
            ground += isGround(pixel);
            ink += isInk(pixel);
            // The glyph keeps a margin: the outer ring is plain ground.
            const bool edge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            if (edge && !isGround(pixel))
                QFAIL(qPrintable(QStringLiteral("glyph touches the edge at (%1, %2)").arg(x).arg(y)));
        }
    }
    const int area = size * size;
    QVERIFY2(ink * 50 >= area, qPrintable(QStringLiteral("only %1 ink pixels").arg(ink)));
    QVERIFY2(ground * 2 >= area, qPrintable(QStringLiteral("only %1 ground pixels").arg(ground)));
}

void TestPictures::horizontalStrokesMatchTheDigit_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("strokes");
    QTest::newRow("102 is one") << 102 << 1;
    QTest::newRow("103 is two") << 103 << 2;
    QTest::newRow("104 is three") << 104 << 3;
}

void TestPictures::horizontalStrokesMatchTheDigit()
{
    QFETCH(int, id);
    QFETCH(int, strokes);
    QCOMPARE(inkRunsDownTheMiddle(render(id, 64)), strokes);
}

void TestPictures::ideogramsAreAllDifferent_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32 px") << 32;
    QTest::newRow("64 px") << 64;
}

void TestPictures::ideogramsAreAllDifferent()
{
    QFETCH(int, size);
    QList<QImage> images;
    for (int id = FirstIdeogram; id <= LastIdeogram; ++id)
        images.append(render(id, size));
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            QVERIFY2(images[a] != images[b],
                     qPrintable(QStringLiteral("%1 and %2 look the same")
                                    .arg(FirstIdeogram + a).arg(FirstIdeogram + b)));
}

void TestPictures::logoIsA256ColourPicture()
{
    const QImage logo(QStringLiteral(":/logo.png"));
    QVERIFY(!logo.isNull());
    QCOMPARE(logo.size(), QSize(214, 126));

    QSet<QRgb> colours;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            colours.insert(logo.pixel(x, y));
    QVERIFY2(colours.size() <= 256, qPrintable(QString::number(colours.size())));
    // A real drawing, not a flat placeholder.
    QVERIFY2(colours.size() >= 8, qPrintable(QString::number(colours.size())));
    if (logo.format() == QImage::Format_Indexed8)
        QVERIFY(logo.colorCount() <= 256);
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
