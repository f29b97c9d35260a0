#include "numerals/numerals.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace numerals;

namespace {

// The rule stated another way, place by place: a digit is written with its
// place's multiplier, zeros wait for the next non-zero digit and become one
// 零, zeros at the end write nothing. Ten thousands are a count of thousands.
void writePlaces(const std::vector<int> &digits, QStringList &out)
{
    static const char *const multiplier[] = {"", "十", "百", "千"};
    bool zeroWaiting = false;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int place = int(digits.size() - 1 - i);
        if (digits[i] == 0) {
            zeroWaiting = true;
            continue;
        }
        if (zeroWaiting)
            out << QStringLiteral("零:0");
        zeroWaiting = false;
        out << QString::fromUtf8("零一二三四五六七八九").mid(digits[i], 1) + u':' + QString::number(digits[i]);
        if (place > 0)
            out << QString::fromUtf8(multiplier[place]) + u':' + QString::number(int(std::pow(10, place)));
    }
}

QStringList expectedCells(int number)
{
    QStringList out;
    if (number == 0)
        return {QStringLiteral("零:0")};
    if (number < 10000) {
        std::vector<int> digits;
        for (char c : std::to_string(number))
            digits.push_back(c - '0');
        writePlaces(digits, out);
        return out;
    }
    writePlaces({number / 10000, number / 1000 % 10}, out);
    out << QStringLiteral("千:1000");
    writePlaces({number / 100 % 10, number / 10 % 10, number % 10}, out);
    return out;
}

QStringList cellsOf(const Column &column)
{
    QStringList out;
    for (const Cell &cell : column) {
        const std::string_view c = character(cell.ideogram);
        out << QString::fromUtf8(c.data(), qsizetype(c.size())) + u':'
                + QString::fromLatin1(cell.tag.data(), qsizetype(cell.tag.size()));
    }
    return out;
}

}  // namespace

class TestNumerals : public QObject
{
    Q_OBJECT

private slots:
    void everyNumberFollowsTheRule();
    void workedExamples_data();
    void workedExamples();
    void textChecks_data();
    void textChecks();
    void picturesAreNumberedFrom101();
};

void TestNumerals::everyNumberFollowsTheRule()
{
    for (int number = 0; number <= 99999; ++number) {
        const std::u16string digits = QString::number(number).toStdU16String();
        const QStringList cells = cellsOf(columnFor(digits));
        if (cells != expectedCells(number))
            QFAIL(qPrintable(QStringLiteral("%1: %2").arg(number).arg(cells.join(u' '))));
    }
}

void TestNumerals::workedExamples_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("digits");  // what stays in the box
    QTest::addColumn<QString>("cells");   // ideogram:tag, top to bottom

    QTest::newRow("0") << "0" << "0" << "零:0";
    QTest::newRow("007") << "007" << "7" << "七:7";
    QTest::newRow("00000") << "00000" << "0" << "零:0";
    QTest::newRow("00010") << "00010" << "10" << "一:1 十:10";
    QTest::newRow("19") << "19" << "19" << "一:1 十:10 九:9";
    QTest::newRow("0250") << "0250" << "250" << "二:2 百:100 五:5 十:10";
    QTest::newRow("205") << "205" << "205" << "二:2 百:100 零:0 五:5";
    QTest::newRow("01000") << "01000" << "1000" << "一:1 千:1000";
    QTest::newRow("1001") << "1001" << "1001" << "一:1 千:1000 零:0 一:1";
    QTest::newRow("1010") << "1010" << "1010" << "一:1 千:1000 零:0 一:1 十:10";
    QTest::newRow("3405") << "3405" << "3405" << "三:3 千:1000 四:4 百:100 零:0 五:5";
    QTest::newRow("10000") << "10000" << "10000" << "一:1 十:10 千:1000";
    QTest::newRow("10001") << "10001" << "10001" << "一:1 十:10 千:1000 零:0 一:1";
    QTest::newRow("12000") << "12000" << "12000" << "一:1 十:10 二:2 千:1000";
    QTest::newRow("30500") << "30500" << "30500" << "三:3 十:10 千:1000 五:5 百:100";
    QTest::newRow("40020") << "40020" << "40020" << "四:4 十:10 千:1000 零:0 二:2 十:10";
    QTest::newRow("99999") << "99999" << "99999" << "九:9 十:10 九:9 千:1000 九:9 百:100 九:9 十:10 九:9";
}

void TestNumerals::workedExamples()
{
    QFETCH(QString, typed);
    QFETCH(QString, digits);
    QFETCH(QString, cells);
    const std::u16string text = typed.toStdU16String();
    QCOMPARE(checkText(text), TextCheck::Digits);
    const std::u16string_view stripped = withoutLeadingZeros(text);
    QCOMPARE(QString::fromStdU16String(std::u16string(stripped)), digits);
    QCOMPARE(cellsOf(columnFor(stripped)).join(u' '), cells);
}

void TestNumerals::textChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextCheck>("check");
    QTest::newRow("empty") << "" << TextCheck::Empty;
    QTest::newRow("one digit") << "9" << TextCheck::Digits;
    QTest::newRow("five digits") << "00000" << TextCheck::Digits;
    QTest::newRow("six digits") << "123456" << TextCheck::TooLong;
    QTest::newRow("six letters") << "abcdef" << TextCheck::TooLong;
    QTest::newRow("letter") << "a" << TextCheck::NotDigits;
    QTest::newRow("digit then slash") << "1/" << TextCheck::NotDigits;
    QTest::newRow("colon") << "12:" << TextCheck::NotDigits;
    QTest::newRow("minus") << "-5" << TextCheck::NotDigits;
    QTest::newRow("arabic-indic three") << QString::fromUtf8("٣") << TextCheck::NotDigits;
    QTest::newRow("fullwidth one") << QString::fromUtf8("１") << TextCheck::NotDigits;
}

void TestNumerals::textChecks()
{
    QFETCH(QString, text);
    QFETCH(TextCheck, check);
    QCOMPARE(checkText(text.toStdU16String()), check);
}

void TestNumerals::picturesAreNumberedFrom101()
{
    QCOMPARE(pictureNumber(Ideogram::Zero), 101);
    QCOMPARE(pictureNumber(digitIdeogram(9)), 110);
    QCOMPARE(pictureNumber(Ideogram::Thousand), 113);
    QCOMPARE(character(Ideogram::Thousand), std::string_view("千"));
}

QTEST_APPLESS_MAIN(TestNumerals)
#include "test_numerals.moc"
