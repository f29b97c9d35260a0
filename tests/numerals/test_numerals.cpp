#include "numerals/numerals.h"

#include <QtTest>

using namespace numerals;

namespace {

// The rule stated another way, place by place: a digit is written with its
// place's multiplier, zeros wait for the next non-zero digit and become one
// 零, zeros at the end write nothing.
void writePlaces(const QString &digits, QStringList &out)
{
    static const QString names = QString::fromUtf8("零一二三四五六七八九"), multipliers = QString::fromUtf8(" 十百千");
    bool zeroWaiting = false;
    for (int i = 0, place = int(digits.size()) - 1; place >= 0; ++i, --place) {
        const int digit = digits[i].digitValue();
        if (digit == 0) {
            zeroWaiting = true;
            continue;
        }
        if (zeroWaiting)
            out << QStringLiteral("零:0");
        zeroWaiting = false;
        out << names[digit] + u':' + QString::number(digit);
        if (place > 0)
            out << multipliers[place] + u':' + QString::number(int(std::pow(10, place)));
    }
}

// Ten thousands are a count of thousands: 12000 is twelve thousands.
QStringList expectedCells(int number)
{
    QStringList out;
    if (number == 0)
        return {QStringLiteral("零:0")};
    if (number < 10000) {
        writePlaces(QString::number(number), out);
        return out;
    }
    writePlaces(QString::number(number / 1000), out);
    out << QStringLiteral("千:1000");
    writePlaces(QString::number(number % 1000).rightJustified(3, u'0'), out);
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
    void everyNumberFollowsTheRule()
    {
        for (int number = 0; number <= 99999; ++number) {
            const QStringList cells = cellsOf(columnFor(QString::number(number).toStdU16String()));
            if (cells != expectedCells(number))
                QFAIL(qPrintable(QStringLiteral("%1: %2").arg(number).arg(cells.join(u' '))));
        }
    }

    // What the rule makes of typed text: its check, and for digits what stays
    // in the box and the column, ideogram:tag from the top.
    void typedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<TextCheck>("check");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("cells");
        const TextCheck ok = TextCheck::Digits;
        // clang-format off
        QTest::newRow("0") << "0" << ok << "0" << "零:0";
        QTest::newRow("007") << "007" << ok << "7" << "七:7";
        QTest::newRow("00000") << "00000" << ok << "0" << "零:0";
        QTest::newRow("00010") << "00010" << ok << "10" << "一:1 十:10";
        QTest::newRow("19") << "19" << ok << "19" << "一:1 十:10 九:9";
        QTest::newRow("0250") << "0250" << ok << "250" << "二:2 百:100 五:5 十:10";
        QTest::newRow("205") << "205" << ok << "205" << "二:2 百:100 零:0 五:5";
        QTest::newRow("01000") << "01000" << ok << "1000" << "一:1 千:1000";
        QTest::newRow("1001") << "1001" << ok << "1001" << "一:1 千:1000 零:0 一:1";
        QTest::newRow("1010") << "1010" << ok << "1010" << "一:1 千:1000 零:0 一:1 十:10";
        QTest::newRow("3405") << "3405" << ok << "3405" << "三:3 千:1000 四:4 百:100 零:0 五:5";
        QTest::newRow("10000") << "10000" << ok << "10000" << "一:1 十:10 千:1000";
        QTest::newRow("10001") << "10001" << ok << "10001" << "一:1 十:10 千:1000 零:0 一:1";
        QTest::newRow("12000") << "12000" << ok << "12000" << "一:1 十:10 二:2 千:1000";
        QTest::newRow("30500") << "30500" << ok << "30500" << "三:3 十:10 千:1000 五:5 百:100";
        QTest::newRow("40020") << "40020" << ok << "40020" << "四:4 十:10 千:1000 零:0 二:2 十:10";
        QTest::newRow("99999") << "99999" << ok << "99999" << "九:9 十:10 九:9 千:1000 九:9 百:100 九:9 十:10 九:9";
        QTest::newRow("empty") << "" << TextCheck::Empty << "" << "";
        QTest::newRow("six digits") << "123456" << TextCheck::TooLong << "" << "";
        QTest::newRow("six letters") << "abcdef" << TextCheck::TooLong << "" << "";
        QTest::newRow("letter") << "a" << TextCheck::NotDigits << "" << "";
        QTest::newRow("digit then slash") << "1/" << TextCheck::NotDigits << "" << "";
        QTest::newRow("colon") << "12:" << TextCheck::NotDigits << "" << "";
        QTest::newRow("minus") << "-5" << TextCheck::NotDigits << "" << "";
        QTest::newRow("arabic-indic three") << QString::fromUtf8("٣") << TextCheck::NotDigits << "" << "";
        QTest::newRow("fullwidth one") << QString::fromUtf8("１") << TextCheck::NotDigits << "" << "";
        // clang-format on
    }

    void typedText()
    {
        QFETCH(QString, typed);
        QFETCH(TextCheck, check);
        QFETCH(QString, digits);
        QFETCH(QString, cells);
        const std::u16string text = typed.toStdU16String();
        QCOMPARE(checkText(text), check);
        if (check != TextCheck::Digits)
            return;
        const std::u16string_view stripped = withoutLeadingZeros(text);
        QCOMPARE(QString::fromStdU16String(std::u16string(stripped)), digits);
        QCOMPARE(cellsOf(columnFor(stripped)).join(u' '), cells);
    }
};

QTEST_APPLESS_MAIN(TestNumerals)
#include "test_numerals.moc"
