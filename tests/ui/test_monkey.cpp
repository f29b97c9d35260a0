#include "expected_tag.h"
#include "form_fixture.h"
#include "frm_about.h"
#include "ideogram.h"
#include "language.h"
#include "message_recorder.h"
#include "string_table.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

using namespace numoria;

namespace {

constexpr int kActions = 10000;

// Random text of any kind: digits, letters, control characters, other
// scripts' digits, surrogate pairs, and now and then something huge.
QString randomText(QRandomGenerator &random)
{
    const int length = random.bounded(100) == 0 ? 200000 : int(random.bounded(9));
    QString text;
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(4)) {
        case 0:
        case 1:
            text += QChar(u'0' + random.bounded(10));
            break;
        case 2:
            text += QChar(char16_t(random.bounded(0x20, 0xd800)));
            break;
        default:
            text += QChar(char16_t(random.bounded(0, 0x20)));
            break;
        }
    }
    return text;
}

}  // namespace

class TestMonkey : public QObject
{
    Q_OBJECT

private slots:
    void randomUserActions_data();
    void randomUserActions();

private:
    QString checkWindow(FormFixture &f) const;
};

void TestMonkey::randomUserActions_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::newRow("fixed seed") << quint32(20261206);
    QTest::newRow("random seed") << QRandomGenerator::system()->generate();
}

// Empty when the window is sound; otherwise what is wrong.
QString TestMonkey::checkWindow(FormFixture &f) const
{
    if (f.Text1->text().size() >= 6)
        return QStringLiteral("the box holds %1 characters").arg(f.Text1->text().size());
    const int n = f.cells() - 1;
    if (n > 8)
        return QStringLiteral("%1 cells").arg(n + 1);
    if (f.form.findChildren<IdeogramCell *>().size() != n + 1)
        return QStringLiteral("cells left behind");
    for (int k = 0; k <= n; ++k) {
        const IdeogramCell *cell = f.cell(k);
        if (!cell || cell->index() != k)
            return QStringLiteral("hole at %1").arg(k);
        if (cell->topTwips() != 600.0f + 375.0f * float(k) || cell->geometry() != QRect(16, 40 + 25 * k, 25, 25))
            return QStringLiteral("cell %1 out of place").arg(k);
        if (!ideogram::isValid(cell->picture()) || cell->tag() != QString::fromStdString(expectedTag(cell->picture())))
            return QStringLiteral("cell %1 shows %2 tagged %3").arg(k).arg(cell->picture()).arg(cell->tag());
    }
    return {};
}

void TestMonkey::randomUserActions()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    FormFixture f;
    MessageRecorder boxes;
    const char *languages[] = {"mnfr", "mnall", "mnengl"};
    QString last;

    for (int action = 0; action < kActions; ++action) {
        f.Text1->setFocus();
        switch (random.bounded(12)) {
        case 0:
        case 1:
        case 2:
            last = QStringLiteral("type a digit");
            QTest::keyClick(f.Text1, Qt::Key(Qt::Key_0 + random.bounded(10)));
            break;
        case 3: {
            const QString text(QChar(char16_t(random.bounded(0, 0xd800))));
            last = QStringLiteral("type U+%1").arg(text.front().unicode(), 4, 16, QChar(u'0'));
            QTest::sendKeyEvent(QTest::Click, f.Text1, Qt::Key_unknown, text, Qt::NoModifier);
            break;
        }
        case 4: {
            const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Home, Qt::Key_End,
                                    Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab};
            const Qt::Key key = keys[random.bounded(8)];
            last = QStringLiteral("key %1").arg(int(key), 0, 16);
            QTest::keyClick(f.Text1, key);
            break;
        }
        case 5: {
            const Qt::Key key = Qt::Key(Qt::Key_A + random.bounded(26));
            last = QStringLiteral("ctrl+key %1").arg(int(key), 0, 16);
            QTest::keyClick(f.Text1, key, Qt::ControlModifier);
            break;
        }
        case 6:
            last = QStringLiteral("paste");
            QApplication::clipboard()->setText(randomText(random));
            if (random.bounded(2))
                f.Text1->selectAll();
            f.Text1->paste();
            break;
        case 7:
        case 8:
            last = QStringLiteral("convert %1").arg(f.Text1->text().left(8));
            QTest::mouseClick(f.Command1, Qt::LeftButton);
            break;
        case 9: {
            const int k = int(random.bounded(f.cells()));
            last = QStringLiteral("hover cell %1").arg(k);
            // Two points, so the pointer really moves even if it rested there.
            QTest::mouseMove(f.cell(k), QPoint(2, 2));
            QTest::mouseMove(f.cell(k), QPoint(3 + random.bounded(20), 3 + random.bounded(20)));
            // The tooltip is rebuilt at every move, so it names this cell's
            // value in the language of the moment.
            if (f.cell(k)->toolTip() != message(msg::IdeogramTooltip) + f.cell(k)->tag() + QStringLiteral("  "))
                QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3): tooltip %4 not in language %5")
                                     .arg(seed).arg(action).arg(last, f.cell(k)->toolTip()).arg(langue)));
            break;
        }
        case 10:
            last = QStringLiteral("language");
            f.action(languages[random.bounded(3)])->trigger();
            break;
        default:
            if (frmAbout::instance()) {
                last = QStringLiteral("close About");
                frmAbout::instance()->cmdOK_Click();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            } else {
                last = QStringLiteral("open About");
                f.action("mnapro")->trigger();
            }
            break;
        }
        const QString fault = checkWindow(f);
        if (!fault.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, action %2 (%3): %4").arg(seed).arg(action).arg(last, fault)));
    }
    if (frmAbout::instance())
        frmAbout::instance()->cmdOK_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qInfo("seed %u: %d actions, %d message boxes", seed, kActions, int(boxes.messages.size()));
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
