#include "converter.h"
#include "ideogram.h"
#include "memory_column.h"
#include "memory_input_box.h"

#include <QtTest>

using namespace numoria;

namespace {

// The column read back as ideogram characters and tags, top to bottom.
QString ideogramsOf(const MemoryColumn &column)
{
    QString out;
    for (int k = 0; k < column.count(); ++k)
        out += QString::fromUtf8(ideogram::character(column.picture(k)));
    return out;
}

QStringList tagsOf(const MemoryColumn &column)
{
    QStringList out;
    for (int k = 0; k < column.count(); ++k)
        out << QString::fromStdString(column.tag(k));
    return out;
}

std::u16string u16(const QString &s) { return s.toStdU16String(); }

}  // namespace

class TestConverter : public QObject
{
    Q_OBJECT

private slots:
    void writesWorkedExamples_data();
    void writesWorkedExamples();
    void tailsWriteFromTheirFirstCell_data();
    void tailsWriteFromTheirFirstCell();
    void refusesWhatItCannotWrite_data();
    void refusesWhatItCannotWrite();
    void shortNumberAfterLongLeavesOneCell();
    void emptyTextKeepsFirstIdeogramOfLastConversion();
    void sameTextTwiceGivesSameColumn();
    void removesOneLeadingZeroPerRewrite();
};

void TestConverter::writesWorkedExamples_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("ideograms");
    QTest::addColumn<QString>("tags");

    const struct {
        const char *typed, *after, *ideograms, *tags;
    } rows[] = {
        // one digit, leading zeros and ten thousands, drawn by the driver
        {"0", "0", "零", "0"},
        {"7", "7", "七", "7"},
        {"007", "7", "七", "7"},
        {"00000", "0", "零", "0"},
        {"05", "5", "五", "5"},
        {"00010", "10", "一十", "1 10"},
        {"0250", "250", "二百五十", "2 100 5 10"},
        {"01000", "1000", "一千", "1 1000"},
        {"10000", "10000", "一十千", "1 10 1000"},
        {"50000", "50000", "五十千", "5 10 1000"},
        {"90000", "90000", "九十千", "9 10 1000"},
        // two digits
        {"10", "10", "一十", "1 10"},
        {"11", "11", "一十一", "1 10 1"},
        {"19", "19", "一十九", "1 10 9"},
        {"20", "20", "二十", "2 10"},
        {"25", "25", "二十五", "2 10 5"},
        {"70", "70", "七十", "7 10"},
        {"90", "90", "九十", "9 10"},
        {"99", "99", "九十九", "9 10 9"},
        // three digits
        {"100", "100", "一百", "1 100"},
        {"101", "101", "一百零一", "1 100 0 1"},
        {"110", "110", "一百一十", "1 100 1 10"},
        {"111", "111", "一百一十一", "1 100 1 10 1"},
        {"205", "205", "二百零五", "2 100 0 5"},
        {"250", "250", "二百五十", "2 100 5 10"},
        {"300", "300", "三百", "3 100"},
        {"999", "999", "九百九十九", "9 100 9 10 9"},
        // four digits, one row per pattern and more
        {"1000", "1000", "一千", "1 1000"},
        {"1001", "1001", "一千零一", "1 1000 0 1"},
        {"1010", "1010", "一千零一十", "1 1000 0 1 10"},
        {"1011", "1011", "一千零一十一", "1 1000 0 1 10 1"},
        {"1100", "1100", "一千一百", "1 1000 1 100"},
        {"1101", "1101", "一千一百零一", "1 1000 1 100 0 1"},
        {"1110", "1110", "一千一百一十", "1 1000 1 100 1 10"},
        {"1234", "1234", "一千二百三十四", "1 1000 2 100 3 10 4"},
        {"2005", "2005", "二千零五", "2 1000 0 5"},
        {"2050", "2050", "二千零五十", "2 1000 0 5 10"},
        {"2500", "2500", "二千五百", "2 1000 5 100"},
        {"3045", "3045", "三千零四十五", "3 1000 0 4 10 5"},
        {"3405", "3405", "三千四百零五", "3 1000 4 100 0 5"},
        {"9999", "9999", "九千九百九十九", "9 1000 9 100 9 10 9"},
        // five digits
        {"10001", "10001", "一十千零一", "1 10 1000 0 1"},
        {"10010", "10010", "一十千零一十", "1 10 1000 0 1 10"},
        {"10100", "10100", "一十千一百", "1 10 1000 1 100"},
        {"11111", "11111", "一十一千一百一十一", "1 10 1 1000 1 100 1 10 1"},
        {"12000", "12000", "一十二千", "1 10 2 1000"},
        {"12005", "12005", "一十二千零五", "1 10 2 1000 0 5"},
        {"12045", "12045", "一十二千零四十五", "1 10 2 1000 0 4 10 5"},
        {"12050", "12050", "一十二千零五十", "1 10 2 1000 0 5 10"},
        {"12345", "12345", "一十二千三百四十五", "1 10 2 1000 3 100 4 10 5"},
        {"20005", "20005", "二十千零五", "2 10 1000 0 5"},
        {"30500", "30500", "三十千五百", "3 10 1000 5 100"},
        {"40020", "40020", "四十千零二十", "4 10 1000 0 2 10"},
        {"99110", "99110", "九十九千一百一十", "9 10 9 1000 1 100 1 10"},
        {"99999", "99999", "九十九千九百九十九", "9 10 9 1000 9 100 9 10 9"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.typed) << QString::fromUtf8(row.typed) << QString::fromUtf8(row.after)
                                 << QString::fromUtf8(row.ideograms) << QString::fromUtf8(row.tags);
}

void TestConverter::writesWorkedExamples()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(QString, ideograms);
    QFETCH(QString, tags);

    MemoryColumn column;
    MemoryInputBox input(u16(typed));
    Converter converter(column, input);

    QCOMPARE(converter.Command1_Click(), Outcome::Drawn);
    QCOMPARE(QString::fromStdU16String(input.text()), after);
    QCOMPARE(ideogramsOf(column), ideograms);
    QCOMPARE(tagsOf(column), tags.split(' '));
    QCOMPARE(column.shownAtFirstPlace(), 0);
}

void TestConverter::tailsWriteFromTheirFirstCell_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("ideograms");
    QTest::addColumn<QString>("tags");

    QTest::newRow("000") << "000" << "" << "";
    QTest::newRow("005") << "005" << "零五" << "0 5";
    QTest::newRow("011") << "011" << "零一十一" << "0 1 10 1";
    QTest::newRow("050") << "050" << "零五十" << "0 5 10";
    QTest::newRow("105") << "105" << "一百零五" << "1 100 0 5";
    QTest::newRow("110") << "110" << "一百一十" << "1 100 1 10";
    QTest::newRow("345") << "345" << "三百四十五" << "3 100 4 10 5";
    QTest::newRow("500") << "500" << "五百" << "5 100";
}

void TestConverter::tailsWriteFromTheirFirstCell()
{
    QFETCH(QString, digits);
    QFETCH(QString, ideograms);
    QFETCH(QString, tags);

    // Both tails, each after the cells its caller leaves: the second variant
    // writes the same cells one index lower down.
    for (int firstIndex : {3, 4}) {
        MemoryColumn column;
        MemoryInputBox input;
        Converter converter(column, input);
        column.writeFirst(ideogram::forDigit(1), "1");
        for (int k = 1; k < firstIndex; ++k)
            column.append(k, ideogram::Ten, "10");

        if (firstIndex == 3)
            converter.suite_en_trois(u16(digits));
        else
            converter.suite_en_trois_bis(u16(digits));

        QString written;
        QStringList writtenTags;
        for (int k = firstIndex; k < column.count(); ++k) {
            written += QString::fromUtf8(ideogram::character(column.picture(k)));
            writtenTags << QString::fromStdString(column.tag(k));
            QCOMPARE(column.top(k), 600.0f + 375.0f * float(k));
        }
        QCOMPARE(written, ideograms);
        QCOMPARE(writtenTags.join(' '), tags);
    }
}

void TestConverter::refusesWhatItCannotWrite_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Outcome>("outcome");

    QTest::newRow("empty") << "" << Outcome::Empty;
    QTest::newRow("six digits") << "123456" << Outcome::TooLong;
    QTest::newRow("six zeros") << "000000" << Outcome::TooLong;
    QTest::newRow("one letter") << "a" << Outcome::NotDigits;
    QTest::newRow("blank") << " " << Outcome::NotDigits;
    QTest::newRow("minus sign") << "-5" << Outcome::NotDigits;
    QTest::newRow("decimal point") << "1.5" << Outcome::NotDigits;
    QTest::newRow("letter after zeros") << "00a" << Outcome::NotDigits;
    QTest::newRow("letter among digits") << "12a45" << Outcome::NotDigits;
    QTest::newRow("arabic-indic three") << QString::fromUtf8("٣") << Outcome::NotDigits;
    QTest::newRow("fullwidth three") << QString::fromUtf8("３") << Outcome::NotDigits;
    QTest::newRow("NUL") << QString(QChar(0)) << Outcome::NotDigits;
    QTest::newRow("digit then NUL") << QString("1") + QChar(0) << Outcome::NotDigits;
    QTest::newRow("surrogate pair") << QString::fromUtf8("𝟘") << Outcome::NotDigits;
}

void TestConverter::refusesWhatItCannotWrite()
{
    QFETCH(QString, text);
    QFETCH(Outcome, outcome);

    MemoryColumn column;
    MemoryInputBox input(u"12345");
    Converter converter(column, input);
    converter.Command1_Click();

    input.setText(u16(text));
    const int rewritesBefore = input.rewrites();
    QCOMPARE(converter.Command1_Click(), outcome);

    // Cleared as usual, nothing drawn, the text left for the user to mend.
    QCOMPARE(column.count(), 1);
    QCOMPARE(column.picture(0), ideogram::forDigit(1));
    QCOMPARE(column.tag(0), std::string("1"));
    QCOMPARE(input.rewrites(), rewritesBefore);
    QCOMPARE(QString::fromStdU16String(input.text()), text);
}

void TestConverter::shortNumberAfterLongLeavesOneCell()
{
    MemoryColumn column;
    MemoryInputBox input(u"12345");
    Converter converter(column, input);
    converter.Command1_Click();
    QCOMPARE(column.count(), 9);

    input.setText(u"7");
    converter.Command1_Click();
    QCOMPARE(column.count(), 1);
    QCOMPARE(ideogramsOf(column), QString::fromUtf8("七"));
    QCOMPARE(column.tag(0), std::string("7"));
}

void TestConverter::emptyTextKeepsFirstIdeogramOfLastConversion()
{
    MemoryColumn column;
    MemoryInputBox input(u"12345");
    Converter converter(column, input);
    converter.Command1_Click();

    input.setText(u"");
    QCOMPARE(converter.Command1_Click(), Outcome::Empty);
    QCOMPARE(column.count(), 1);
    QCOMPARE(ideogramsOf(column), QString::fromUtf8("一"));
    QCOMPARE(column.tag(0), std::string("1"));
}

void TestConverter::sameTextTwiceGivesSameColumn()
{
    for (const char16_t *text : {u"12345", u"1010", u"205", u"10000", u"7"}) {
        MemoryColumn column;
        MemoryInputBox input(text);
        Converter converter(column, input);
        converter.Command1_Click();
        const QString first = ideogramsOf(column);
        const QStringList firstTags = tagsOf(column);
        converter.Command1_Click();
        QCOMPARE(ideogramsOf(column), first);
        QCOMPARE(tagsOf(column), firstTags);
    }
}

void TestConverter::removesOneLeadingZeroPerRewrite()
{
    // Each rewrite goes through the box, so the window sees every step.
    struct StepRecorder : MemoryInputBox {
        using MemoryInputBox::MemoryInputBox;
        QStringList steps;
        void setText(const std::u16string &text) override
        {
            steps << QString::fromStdU16String(text);
            MemoryInputBox::setText(text);
        }
    };
    MemoryColumn column;
    StepRecorder input(u"00000");
    Converter converter(column, input);
    converter.Command1_Click();
    QCOMPARE(input.steps, QStringList({"0000", "000", "00", "0"}));

    StepRecorder seven(u"007");
    Converter(column, seven).Command1_Click();
    QCOMPARE(seven.steps, QStringList({"07", "7"}));
}

QTEST_APPLESS_MAIN(TestConverter)
#include "test_converter.moc"
