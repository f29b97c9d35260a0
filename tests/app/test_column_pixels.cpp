// The ideogram column in device pixels at the scale factor CTest sets in
// QT_SCALE_FACTOR: the nine cells of 99999 meet edge to edge, with no row of
// the yellow ground between them, and at whole factors every picture is drawn
// exactly as the renderer draws it at the cell's size.
#include "kit/style.h"
#include "window_fixture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QWindow>
#include <QtTest>

class TestColumnPixels : public QObject
{
    Q_OBJECT

private slots:
    void cellsMeetInDevicePixels();
};

void TestColumnPixels::cellsMeetInDevicePixels()
{
    WindowFixture f;
    f.convert(QStringLiteral("99999"));
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const qreal factor = f.window.windowHandle()->devicePixelRatio();
    QCOMPARE(factor, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    QImage shot = f.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.setDevicePixelRatio(1);

    QList<QRectF> cells;  // device pixels
    for (int k = 0; k < f.cells(); ++k)
        cells << QRectF(QPointF(f.cell(k)->mapTo(&f.window, QPoint(0, 0))) * factor, QSizeF(f.cell(k)->size()) * factor);
    QCOMPARE(cells.size(), 9);
    const QRect column = cells.front().united(cells.back()).toAlignedRect().adjusted(1, 1, -1, -1);
    // The pictures' strokes are blue over black: red stays low, the ground's is 255.
    for (int y = column.top(); y <= column.bottom(); ++y)
        for (int x = column.left(); x <= column.right(); ++x)
            QVERIFY2(qRed(shot.pixel(x, y)) <= 48, qPrintable(QStringLiteral("light pixel at %1,%2").arg(x).arg(y)));

    if (factor != std::round(factor))
        return;
    const int pictures[] = {110, 111, 110, 113, 110, 112, 110, 111, 110};  // 九 十 九 千 九 百 九 十 九
    for (int k = 0; k < f.cells(); ++k) {
        const QRect cell = cells[k].toRect();
        QImage expected(cell.size(), QImage::Format_RGB32);
        expected.fill(kit::lightYellow);
        QPainter painter(&expected);
        QSvgRenderer(kit::ideogramPicturePath(pictures[k])).render(&painter, QRectF(expected.rect()));
        painter.end();
        QCOMPARE(shot.copy(cell), expected);
    }
}

QTEST_MAIN(TestColumnPixels)
#include "test_column_pixels.moc"
