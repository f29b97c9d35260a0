#include "../message_recorder.h"
#include "window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QShortcut>
#include <QtTest>

namespace {

const kit::Message kDigitsOnly{QStringLiteral("Seul les chiffres sont permis !"), QStringLiteral("Montant"),
                               kit::MessageIcon::Exclamation};

}  // namespace

class TestKeystrokes : public QObject
{
    Q_OBJECT

private slots:
    // The program's own warnings (a missing picture or text) are failures here.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^numoria:"))); }

    void typingInTheBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");  // as X11 hands it; null: as QTest makes it
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("refused");

        const int ctrl = Qt::ControlModifier;
        const QString qtest;
        // clang-format off
        QTest::newRow("digit 0") << int(Qt::Key_0) << 0 << qtest << "120" << false;
        QTest::newRow("digit 9") << int(Qt::Key_9) << 0 << qtest << "129" << false;
        QTest::newRow("keypad digit") << int(Qt::Key_4) << int(Qt::KeypadModifier) << qtest << "124" << false;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << qtest << "1" << false;
        QTest::newRow("slash") << int(Qt::Key_Slash) << 0 << qtest << "12" << true;
        QTest::newRow("colon") << int(Qt::Key_Colon) << 0 << qtest << "12" << true;
        QTest::newRow("letter a") << int(Qt::Key_A) << 0 << qtest << "12" << true;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << qtest << "12" << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << 0 << "\r" << "12" << true;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << "12" << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 0 << qtest << "12" << true;
        QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << qtest << "12" << true;
        QTest::newRow("ctrl+v as X11") << int(Qt::Key_V) << ctrl << "\x16" << "12" << true;
        QTest::newRow("ctrl+x no text") << int(Qt::Key_X) << ctrl << "" << "12" << true;
        QTest::newRow("ctrl+@") << int(Qt::Key_At) << ctrl << qtest << "12" << true;
        QTest::newRow("ctrl+_") << int(Qt::Key_Underscore) << ctrl << qtest << "12" << true;
        QTest::newRow("ctrl+digit") << int(Qt::Key_5) << ctrl << "5" << "12" << false;
        QTest::newRow("ctrl+space") << int(Qt::Key_Space) << ctrl << " " << "12" << false;
        QTest::newRow("ctrl+2 as X11") << int(Qt::Key_2) << ctrl << QString(QChar(0)) << "12" << true;
        QTest::newRow("e acute") << int(Qt::Key_Eacute) << 0 << QString::fromUtf8("é") << "12" << true;
        QTest::newRow("DEL as text of another key") << int(Qt::Key_unknown) << 0 << "\x7f" << "12" << false;
        QTest::newRow("tab as text of another key") << int(Qt::Key_unknown) << 0 << "\t" << "12" << false;
        QTest::newRow("arabic-indic three") << int(Qt::Key_unknown) << 0 << QString::fromUtf8("٣") << "12" << true;
        // Alt and Meta type nothing, and the box must not insert their text either.
        QTest::newRow("alt+b") << int(Qt::Key_B) << int(Qt::AltModifier) << "b" << "12" << false;
        QTest::newRow("alt+7") << int(Qt::Key_7) << int(Qt::AltModifier) << "7" << "12" << false;
        QTest::newRow("meta+b") << int(Qt::Key_B) << int(Qt::MetaModifier) << "b" << "12" << false;
        QTest::newRow("alt+enter") << int(Qt::Key_Return) << int(Qt::AltModifier) << "\r" << "12" << false;
        // X11 hands AltGr+Q of a German keyboard as "@" without Alt: a typed character.
        QTest::newRow("altgr+q as X11") << int(Qt::Key_At) << 0 << "@" << "12" << true;
        QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << ctrl << "\x7f" << "12" << true;
        QTest::newRow("ctrl+h") << int(Qt::Key_H) << ctrl << qtest << "1" << false;
        QTest::newRow("ctrl+h as X11") << int(Qt::Key_H) << ctrl << "\b" << "1" << false;
        // clang-format on
    }

    void typingInTheBox()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QFETCH(bool, refused);

        WindowFixture f;
        QApplication::clipboard()->setText(QStringLiteral("99"));
        f.box->setText(QStringLiteral("12"));
        MessageRecorder boxes;
        const auto mods = Qt::KeyboardModifiers(modifiers);
        if (text.isNull())
            QTest::keyClick(f.box, Qt::Key(key), mods);
        else
            QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key(key), text, mods);
        QCOMPARE(f.box->text(), after);
        QCOMPARE(boxes.messages, refused ? QList<kit::Message>{kDigitsOnly} : QList<kit::Message>{});
    }

    // Delete, arrows, Home, End and Tab edit or move without a message, even
    // when the event carries text.
    void editingKeysTypeNothing()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        f.box->setText(QStringLiteral("123"));
        MessageRecorder boxes;
        QTest::keyClick(f.box, Qt::Key_Home);
        QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key_Delete, QStringLiteral("\x7f"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key_Right, QStringLiteral("x"), Qt::NoModifier);
        QTest::keyClick(f.box, Qt::Key_4);
        QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key_End, QStringLiteral("x"), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key_Left, QStringLiteral("x"), Qt::NoModifier);
        QTest::keyClick(f.box, Qt::Key_Delete);
        QCOMPARE(f.box->text(), QStringLiteral("24"));
        QTest::sendKeyEvent(QTest::Click, f.box, Qt::Key_Tab, QStringLiteral("\t"), Qt::NoModifier);
        QVERIFY(f.button->hasFocus());
        QVERIFY(boxes.messages.isEmpty());
    }

    // A typed character belongs to the box, refused or not: the window's
    // shortcuts never see it.
    void typedCharactersAreKeptFromShortcuts()
    {
        WindowFixture f;
        QApplication::setActiveWindow(&f.window);
        MessageRecorder boxes;
        for (const QString &typed : {QStringLiteral("1"), QStringLiteral("a")}) {
            QShortcut shortcut(QKeySequence(typed), &f.window);
            QSignalSpy taken(&shortcut, &QShortcut::activated);
            QTest::keyClick(f.box, typed.front().toLatin1());
            QVERIFY(taken.isEmpty());
        }
        QCOMPARE(f.box->text(), QStringLiteral("01"));
        QCOMPARE(boxes.messages, QList<kit::Message>{kDigitsOnly});
    }

    void sixthCharacterResetsTheBox()
    {
        WindowFixture f;
        f.box->clear();
        MessageRecorder boxes;
        QTest::keyClicks(f.box, QStringLiteral("01234"));
        QCOMPARE(f.box->text(), QStringLiteral("01234"));
        QVERIFY(boxes.messages.isEmpty());
        QTest::keyClick(f.box, Qt::Key_5);
        QCOMPARE(f.box->text(), QStringLiteral("0"));
        QCOMPARE(boxes.messages, (QList<kit::Message>{{QStringLiteral("Le nombre ne peur exéder cinq chiffres !"),
                                                       QStringLiteral("Numoria"), kit::MessageIcon::Critical}}));
    }

    // Text that comes without a typed character, pasted with Shift+Insert or
    // dropped, is only checked for its length.
    void pastedOrDroppedText_data()
    {
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        // clang-format off
        QTest::newRow("pasted letters") << false << "a-" << "12a-";
        QTest::newRow("pasted past five") << false << "3456" << "0";
        QTest::newRow("dropped letters") << true << "a-" << "12a-";
        QTest::newRow("dropped past five") << true << "3456" << "0";
        // clang-format on
    }

    void pastedOrDroppedText()
    {
        QFETCH(bool, dropped);
        QFETCH(QString, text);
        QFETCH(QString, after);
        WindowFixture f;
        f.box->setText(QStringLiteral("12"));
        MessageRecorder boxes;
        QMimeData data;
        data.setText(text);
        QApplication::clipboard()->setText(text);
        const QPointF end(f.box->width() - 2, f.box->height() / 2);
        QDragEnterEvent enter(end.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (dropped) {
            QApplication::sendEvent(f.box, &enter);
            QApplication::sendEvent(f.box, &drop);
        } else {
            QTest::keyClick(f.box, Qt::Key_Insert, Qt::ShiftModifier);
        }
        QCOMPARE(f.box->text(), after);
        QCOMPARE(boxes.messages.size(), after == QLatin1String("0") ? 1 : 0);
    }

    void committedTextIsTyped_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("messages");
        // clang-format off
        QTest::newRow("dead key e circumflex") << "12" << "" << QString::fromUtf8("ê") << "12" << 1;
        QTest::newRow("digit") << "12" << "" << "9" << "129" << 0;
        QTest::newRow("digits kept, one message") << "12" << "" << "a3b4" << "1234" << 1;
        QTest::newRow("backspace character") << "12" << "" << "\b" << "12" << 0;
        QTest::newRow("preedit alone") << "12" << QString::fromUtf8("ê") << "" << "12" << 0;
        QTest::newRow("sixth digit") << "12345" << "" << "6" << "0" << 1;
        // clang-format on
    }

    // A dead key or an input method commits typed characters: each one meets the
    // keystroke check, and committed digits count toward the length.
    void committedTextIsTyped()
    {
        QFETCH(QString, before);
        QFETCH(QString, preedit);
        QFETCH(QString, commit);
        QFETCH(QString, after);
        QFETCH(int, messages);
        WindowFixture f;
        f.box->setText(before);
        MessageRecorder boxes;
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(f.box, &event);
        QCOMPARE(f.box->text(), after);
        QCOMPARE(boxes.messages.size(), messages);
        if (messages == 1 && after != QLatin1String("0"))
            QCOMPARE(boxes.messages.front(), kDigitsOnly);
    }
};

QTEST_MAIN(TestKeystrokes)
#include "test_keystrokes.moc"
