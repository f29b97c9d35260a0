#include "ideogram.h"
#include "memory_column.h"

#include <QtTest>

using namespace numoria;

class TestColumn : public QObject
{
    Q_OBJECT

private slots:
    void clearingOnlyCellZeroKeepsIt();
    void appendedCellTakesCellZerosPlaceAndSize();
    void refusesWhatTheWindowWouldRefuse_data();
    void refusesWhatTheWindowWouldRefuse();
};

void TestColumn::clearingOnlyCellZeroKeepsIt()
{
    MemoryColumn column;
    column.writeFirst(ideogram::forDigit(4), "4");
    column.clear();
    QCOMPARE(column.count(), 1);
    QCOMPARE(column.picture(0), ideogram::forDigit(4));
    QCOMPARE(column.tag(0), std::string("4"));
    QVERIFY(column.cell(0).visible);
}

void TestColumn::appendedCellTakesCellZerosPlaceAndSize()
{
    MemoryColumn column;
    column.writeFirst(ideogram::forDigit(1), "1");
    for (int k = 1; k <= 8; ++k)
        column.append(k, ideogram::Ten, "10");
    for (int k = 1; k <= 8; ++k) {
        const auto &cell = column.cell(k);
        QCOMPARE(cell.left, 240.0f);
        QCOMPARE(cell.width, 375.0f);
        QCOMPARE(cell.height, 375.0f);
        QCOMPARE(cell.top, 600.0f + 375.0f * float(k));
        QVERIFY(cell.visible);
    }
    QCOMPARE(column.cell(8).top + column.cell(8).height, 3975.0f);
    QCOMPARE(column.shownAtFirstPlace(), 0);

    column.clear();
    QCOMPARE(column.count(), 1);
    QCOMPARE(column.cell(0).top, 600.0f);
}

void TestColumn::refusesWhatTheWindowWouldRefuse_data()
{
    QTest::addColumn<int>("loadedBefore");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("picture");

    QTest::newRow("cell 0 again") << 0 << 0 << int(ideogram::Ten);
    QTest::newRow("loaded twice") << 2 << 2 << int(ideogram::Ten);
    QTest::newRow("hole") << 0 << 2 << int(ideogram::Ten);
    QTest::newRow("picture 100") << 0 << 1 << 100;
    QTest::newRow("picture 114") << 0 << 1 << 114;
}

void TestColumn::refusesWhatTheWindowWouldRefuse()
{
    QFETCH(int, loadedBefore);
    QFETCH(int, index);
    QFETCH(int, picture);

    MemoryColumn column;
    for (int k = 1; k <= loadedBefore; ++k)
        column.append(k, ideogram::Ten, "10");
    QVERIFY_THROWS_EXCEPTION(MemoryColumn::Error, column.append(index, picture, "x"));
}

QTEST_APPLESS_MAIN(TestColumn)
#include "test_column.moc"
