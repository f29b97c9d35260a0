#include "converter.h"
#include "expected_tag.h"
#include "ideogram.h"
#include "memory_column.h"
#include "memory_input_box.h"
#include "reference_numerals.h"

#include <QtTest>

#include <string>

using namespace numoria;

namespace {

// Returns an empty string when the column obeys every rule of a finished
// conversion of `number`, otherwise what is wrong.
std::string checkColumn(const MemoryColumn &column, int number)
{
    const int n = column.count() - 1;
    if (n < 0 || n > 8)
        return "holds " + std::to_string(n + 1) + " cells";
    int zeros = 0;
    int thousands = 0;
    for (int k = 0; k <= n; ++k) {
        const auto &cell = column.cell(k);
        if (!ideogram::isValid(cell.picture))
            return "cell " + std::to_string(k) + " has no picture";
        if (cell.tag != expectedTag(cell.picture))
            return "cell " + std::to_string(k) + " tag " + cell.tag + " does not match its picture";
        if (cell.top != 600.0f + 375.0f * float(k) || cell.left != 240.0f || cell.width != 375.0f
            || cell.height != 375.0f)
            return "cell " + std::to_string(k) + " is out of place";
        if (!cell.visible)
            return "cell " + std::to_string(k) + " is hidden";
        if (cell.picture == ideogram::Zero) {
            ++zeros;
            if (k < n && (column.cell(k + 1).picture == ideogram::Hundred
                          || column.cell(k + 1).picture == ideogram::Ten))
                return "零 is followed by its multiplier";
        }
        if (cell.picture == ideogram::Thousand)
            ++thousands;
    }
    if (zeros > 1)
        return "more than one 零";
    if (number != 0 && column.cell(n).picture == ideogram::Zero)
        return "ends with 零";
    if (number >= 10000 && thousands != 1)
        return "a five-digit number without exactly one 千";
    if (column.shownAtFirstPlace() != 0)
        return "a cell was shown at cell 0's place";
    const std::vector<ReferenceCell> expected = referenceNumerals(number);
    if (int(expected.size()) != n + 1)
        return "differs from the reference in length";
    for (int k = 0; k <= n; ++k)
        if (expected[std::size_t(k)] != ReferenceCell{column.cell(k).picture, column.cell(k).tag})
            return "differs from the reference at cell " + std::to_string(k);
    return {};
}

std::u16string toU16(const std::string &ascii) { return std::u16string(ascii.begin(), ascii.end()); }

}  // namespace

class TestAllNumbers : public QObject
{
    Q_OBJECT

private slots:
    void everyNumberAndEveryLeadingZeroForm();
    void everyNumberInRandomOrderOnOneColumn();
};

void TestAllNumbers::everyNumberAndEveryLeadingZeroForm()
{
    // One column for the whole run, so each conversion also proves that the
    // previous one was cleared away.
    MemoryColumn column;
    MemoryInputBox input;
    Converter converter(column, input);
    int conversions = 0;
    for (int number = 0; number <= 99999; ++number) {
        const std::string digits = std::to_string(number);
        for (std::size_t width = digits.size(); width <= 5; ++width) {
            const std::string typed = std::string(width - digits.size(), '0') + digits;
            input.setText(toU16(typed));
            if (converter.Command1_Click() != Outcome::Drawn)
                QFAIL(qPrintable(QString("%1 was not drawn").arg(typed.c_str())));
            if (input.text() != toU16(digits))
                QFAIL(qPrintable(QString("%1 left %2 in the box")
                                     .arg(typed.c_str(), QString::fromStdU16String(input.text()))));
            const std::string fault = checkColumn(column, number);
            if (!fault.empty())
                QFAIL(qPrintable(QString("%1: %2").arg(typed.c_str(), fault.c_str())));
            ++conversions;
        }
    }
    // 0-9 in five widths, 10-99 in four, and so on.
    QCOMPARE(conversions, 10 + 100 + 1000 + 10000 + 100000);
}

void TestAllNumbers::everyNumberInRandomOrderOnOneColumn()
{
    MemoryColumn column;
    MemoryInputBox input;
    Converter converter(column, input);
    QRandomGenerator random(20261206);
    for (int i = 0; i < 100000; ++i) {
        const int number = int(random.bounded(100000));
        input.setText(toU16(std::to_string(number)));
        converter.Command1_Click();
        const std::string fault = checkColumn(column, number);
        if (!fault.empty())
            QFAIL(qPrintable(QString("%1: %2").arg(number).arg(fault.c_str())));
    }
}

QTEST_APPLESS_MAIN(TestAllNumbers)
#include "test_all_numbers.moc"
