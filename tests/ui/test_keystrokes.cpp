#include "form_fixture.h"
#include "input_checks.h"
#include "keystroke.h"
#include "language.h"
#include "message_recorder.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QtTest>

using namespace numoria;

namespace {

const Message kDigitsOnly{QStringLiteral("Seul les chiffres sont permis !"), QStringLiteral("Montant"),
                          MessageIcon::Exclamation};

}  // namespace

class TestKeystrokes : public QObject
{
    Q_OBJECT

private slots:
    void verifKeyAcceptsOnlyBackspaceAndDigits();
    void characterCodeOfKeys_data();
    void characterCodeOfKeys();
    void typingInTheBox_data();
    void typingInTheBox();
    void deleteAndArrowsEditWithoutMessage();
    void tabMovesFocusWithoutMessage();
    void sixthDigitResetsTheBox_data();
    void sixthDigitResetsTheBox();
    void textWithoutKeystrokeIsCheckedForLengthOnly();
    void pastedLettersAreRefusedAtConversion();
    void programmaticChangesShowNothing();
};

void TestKeystrokes::verifKeyAcceptsOnlyBackspaceAndDigits()
{
    for (int code = 0; code <= 65535; ++code) {
        const bool expected = code == 8 || (code >= '0' && code <= '9');
        if (verif_Key(code) != expected)
            QFAIL(qPrintable(QString("code %1").arg(code)));
    }
}

void TestKeystrokes::characterCodeOfKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");  // -1: the key types no character

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << int('7');
    QTest::newRow("keypad digit") << int(Qt::Key_3) << int(Qt::KeypadModifier) << "3" << int('3');
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << int('a');
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << " " << 32;
    QTest::newRow("e acute") << int(Qt::Key_Eacute) << 0 << QString::fromUtf8("é") << 0xe9;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b" << 8;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << 13;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << "\x1b" << 27;
    QTest::newRow("escape, no text") << int(Qt::Key_Escape) << 0 << "" << 27;
    QTest::newRow("ctrl+a as X11") << int(Qt::Key_A) << ctrl << "\x01" << 1;
    QTest::newRow("ctrl+c as X11") << int(Qt::Key_C) << ctrl << "\x03" << 3;
    QTest::newRow("ctrl+c plain letter") << int(Qt::Key_C) << ctrl << "c" << 3;
    QTest::newRow("ctrl+v as X11") << int(Qt::Key_V) << ctrl << "\x16" << 22;
    QTest::newRow("ctrl+x no text") << int(Qt::Key_X) << ctrl << "" << 24;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "\x1a" << 26;
    QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << int(ctrl | Qt::ShiftModifier) << "\x1a" << 26;
    QTest::newRow("delete as X11") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
    QTest::newRow("tab as X11") << int(Qt::Key_Tab) << 0 << "\t" << -1;
    QTest::newRow("backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << "" << -1;
    QTest::newRow("home") << int(Qt::Key_Home) << 0 << "" << -1;
    QTest::newRow("end") << int(Qt::Key_End) << 0 << "" << -1;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << "" << -1;
    QTest::newRow("ctrl+insert") << int(Qt::Key_Insert) << ctrl << "" << -1;
    QTest::newRow("alt+f mnemonic") << int(Qt::Key_F) << int(Qt::AltModifier) << "f" << -1;
    QTest::newRow("ctrl+digit") << int(Qt::Key_5) << ctrl << "5" << -1;
    QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
}

void TestKeystrokes::characterCodeOfKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(characterCode(event).value_or(-1), code);
}

void TestKeystrokes::typingInTheBox_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");  // as X11 hands it; null: as QTest makes it
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");

    const int ctrl = Qt::ControlModifier;
    const QString qtest;
    QTest::newRow("digit 0") << int(Qt::Key_0) << 0 << qtest << "120" << false;
    QTest::newRow("digit 9") << int(Qt::Key_9) << 0 << qtest << "129" << false;
    QTest::newRow("keypad digit") << int(Qt::Key_4) << int(Qt::KeypadModifier) << qtest << "124" << false;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << qtest << "1" << false;
    QTest::newRow("letter a") << int(Qt::Key_A) << 0 << qtest << "12" << true;
    QTest::newRow("space") << int(Qt::Key_Space) << 0 << qtest << "12" << true;
    QTest::newRow("minus") << int(Qt::Key_Minus) << 0 << qtest << "12" << true;
    QTest::newRow("comma") << int(Qt::Key_Comma) << 0 << qtest << "12" << true;
    QTest::newRow("period") << int(Qt::Key_Period) << 0 << qtest << "12" << true;
    QTest::newRow("enter") << int(Qt::Key_Return) << 0 << qtest << "12" << true;
    QTest::newRow("enter as X11") << int(Qt::Key_Return) << 0 << "\r" << "12" << true;
    QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << qtest << "12" << true;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << qtest << "12" << true;
    QTest::newRow("ctrl+c as X11") << int(Qt::Key_C) << ctrl << "\x03" << "12" << true;
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << ctrl << qtest << "12" << true;
    QTest::newRow("ctrl+v as X11") << int(Qt::Key_V) << ctrl << "\x16" << "12" << true;
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << qtest << "12" << true;
    QTest::newRow("ctrl+x as X11") << int(Qt::Key_X) << ctrl << "\x18" << "12" << true;
    QTest::newRow("ctrl+a as X11") << int(Qt::Key_A) << ctrl << "\x01" << "12" << true;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "\x1a" << "12" << true;
    QTest::newRow("e acute") << int(Qt::Key_Eacute) << 0 << QString::fromUtf8("é") << "12" << true;
    QTest::newRow("arabic-indic three") << int(Qt::Key_unknown) << 0 << QString::fromUtf8("٣") << "12" << true;
}

void TestKeystrokes::typingInTheBox()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(bool, refused);

    FormFixture f;
    QApplication::clipboard()->setText(QStringLiteral("99"));
    f.Text1->setText(QStringLiteral("12"));
    f.Text1->setFocus();
    MessageRecorder boxes;

    const auto mods = Qt::KeyboardModifiers(modifiers);
    if (text.isNull())
        QTest::keyClick(f.Text1, Qt::Key(key), mods);
    else
        QTest::sendKeyEvent(QTest::Click, f.Text1, Qt::Key(key), text, mods);
    QCOMPARE(f.Text1->text(), after);
    QCOMPARE(boxes.messages, refused ? QList<Message>{kDigitsOnly} : QList<Message>{});
}

void TestKeystrokes::deleteAndArrowsEditWithoutMessage()
{
    FormFixture f;
    f.Text1->setText(QStringLiteral("123"));
    f.Text1->setFocus();
    MessageRecorder boxes;

    QTest::keyClick(f.Text1, Qt::Key_Home);
    QTest::sendKeyEvent(QTest::Click, f.Text1, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
    QCOMPARE(f.Text1->text(), QStringLiteral("23"));
    QTest::keyClick(f.Text1, Qt::Key_Right);
    QTest::keyClick(f.Text1, Qt::Key_4);
    QCOMPARE(f.Text1->text(), QStringLiteral("243"));
    QTest::keyClick(f.Text1, Qt::Key_End);
    QTest::keyClick(f.Text1, Qt::Key_Left);
    QTest::keyClick(f.Text1, Qt::Key_Delete);
    QCOMPARE(f.Text1->text(), QStringLiteral("24"));
    QVERIFY(boxes.messages.isEmpty());
}

void TestKeystrokes::tabMovesFocusWithoutMessage()
{
    FormFixture f;
    QApplication::setActiveWindow(&f.form);
    f.Text1->setFocus();
    MessageRecorder boxes;
    QTest::sendKeyEvent(QTest::Click, f.Text1, Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier);
    QVERIFY(f.Command1->hasFocus());
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QVERIFY(boxes.messages.isEmpty());
}

void TestKeystrokes::sixthDigitResetsTheBox_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("text");
    QTest::newRow("French") << int(language::French) << QString::fromUtf8("Le nombre ne peur exéder cinq chiffres !");
    QTest::newRow("German") << int(language::German) << QString::fromUtf8("Die Zahl kannt nicht fünf Ziffern ûberholt");
    QTest::newRow("English") << int(language::English) << QStringLiteral("The number can't exeed five numeral");
}

void TestKeystrokes::sixthDigitResetsTheBox()
{
    QFETCH(int, language);
    QFETCH(QString, text);

    FormFixture f;
    const char *items[] = {"", "mnfr", "mnall", "mnengl"};
    f.action(items[language])->trigger();
    f.Text1->clear();
    MessageRecorder boxes;
    QTest::keyClicks(f.Text1, QStringLiteral("12345"));
    QCOMPARE(f.Text1->text(), QStringLiteral("12345"));
    QVERIFY(boxes.messages.isEmpty());

    QTest::keyClick(f.Text1, Qt::Key_6);
    QCOMPARE(boxes.messages, QList<Message>({{text, QStringLiteral("Numoria"), MessageIcon::Critical}}));
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
}

void TestKeystrokes::textWithoutKeystrokeIsCheckedForLengthOnly()
{
    FormFixture f;
    f.Text1->setFocus();
    MessageRecorder boxes;

    // Context-menu paste and Shift+Insert bring text in without a keystroke.
    f.Text1->clear();
    QApplication::clipboard()->setText(QStringLiteral("a-1"));
    f.Text1->paste();
    QCOMPARE(f.Text1->text(), QStringLiteral("a-1"));
    QTest::keyClick(f.Text1, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QCOMPARE(boxes.messages.size(), 1);
    QCOMPARE(boxes.messages.front().icon, MessageIcon::Critical);

    // An input method commits text the same way.
    f.Text1->clear();
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("٣"));
    QApplication::sendEvent(f.Text1, &commit);
    QCOMPARE(f.Text1->text(), QString::fromUtf8("٣"));
    QCOMPARE(boxes.messages.size(), 1);

    // A huge paste ends as "0" after one message.
    f.Text1->clear();
    QApplication::clipboard()->setText(QString(1000000, u'7'));
    f.Text1->paste();
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QCOMPARE(boxes.messages.size(), 2);
}

void TestKeystrokes::pastedLettersAreRefusedAtConversion()
{
    FormFixture f;
    f.convert(QStringLiteral("25"));
    MessageRecorder boxes;
    QApplication::clipboard()->setText(QStringLiteral("1a"));
    f.Text1->selectAll();
    f.Text1->paste();

    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(boxes.messages, QList<Message>{kDigitsOnly});
    QCOMPARE(f.Text1->text(), QStringLiteral("1a"));
    QCOMPARE(f.cells(), 1);
    QCOMPARE(f.cell(0)->tag(), QStringLiteral("2"));
}

void TestKeystrokes::programmaticChangesShowNothing()
{
    FormFixture f;
    MessageRecorder boxes;
    // A typed leading zero stays until the next conversion removes it.
    f.Text1->clear();
    QTest::keyClicks(f.Text1, QStringLiteral("07"));
    QCOMPARE(f.Text1->text(), QStringLiteral("07"));
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    QCOMPARE(f.Text1->text(), QStringLiteral("7"));
    f.convert(QStringLiteral("00007"));
    QCOMPARE(f.Text1->text(), QStringLiteral("7"));
    f.action("mnall")->trigger();
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QVERIFY(boxes.messages.isEmpty());
}

QTEST_MAIN(TestKeystrokes)
#include "test_keystrokes.moc"
