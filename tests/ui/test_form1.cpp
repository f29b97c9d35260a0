#include "caption_fit.h"
#include "form_fixture.h"
#include "language.h"
#include "message_recorder.h"
#include "string_table.h"

#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QtTest>

using namespace numoria;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void startsInFrench();
    void isAFixedCentredWindowLaidOutInTwips();
    void convertButtonDrawsTheColumn_data();
    void convertButtonDrawsTheColumn();
    void shortNumberAfterLongLeavesOneLiveCell();
    void appendedCellsAppearOnlyInPlace();
    void languageChangeResetsEverything_data();
    void languageChangeResetsEverything();
    void tooltipsNameTheValue_data();
    void tooltipsNameTheValue();
    void captionsFitInEveryLanguage();
    void accessibleNamesFollowTheColumn();
    void keyboardReachesEverything();
    void quitClosesTheWindow();
};

void TestForm1::startsInFrench()
{
    FormFixture f;
    QCOMPARE(langue, language::French);
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Numoria"));
    QCOMPARE(f.Label1->text(), QStringLiteral("Entrez un nombre !"));
    QCOMPARE(f.Command1->text(), QStringLiteral("Convertir !"));
    QCOMPARE(f.Command1->toolTip(), QStringLiteral("Cliquer pour convertir !"));
    QCOMPARE(f.menu()->title(), QStringLiteral("&Fichier"));
    QCOMPARE(f.action("mnapro")->text(), QStringLiteral("&A propos"));
    QCOMPARE(f.action("mnquit")->text(), QStringLiteral("&Quitter"));
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QCOMPARE(f.cells(), 1);
    QCOMPARE(f.cell(0)->picture(), 101);
    QCOMPARE(f.cell(0)->tag(), QStringLiteral("0"));
    QVERIFY(f.action("mnfr")->isChecked());
    QVERIFY(!f.action("mnall")->isChecked());
    QVERIFY(!f.action("mnengl")->isChecked());
    QVERIFY(f.Text1->hasFocus() || QApplication::focusWidget() == nullptr);
}

void TestForm1::isAFixedCentredWindowLaidOutInTwips()
{
    FormFixture f;
    const QWidget *client = f.form.findChild<QWidget *>(QStringLiteral("client"));
    QCOMPARE(client->size(), QSize(162, 277));
    QCOMPARE(f.form.minimumSize(), f.form.maximumSize());
    QVERIFY(!(f.form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f.form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(f.Label1->geometry(), QRect(32, 16, 97, 17));
    QCOMPARE(f.Text1->geometry(), QRect(72, 40, 65, 19));
    QCOMPARE(f.Command1->geometry(), QRect(64, 64, 73, 57));
    QCOMPARE(f.cell(0)->geometry(), QRect(16, 40, 25, 25));
    QCOMPARE(f.form.findChild<QWidget *>(QStringLiteral("Animation1"))->geometry(), QRect(72, 184, 41, 41));
    QCOMPARE(client->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(f.Text1->palette().color(QPalette::Base), QColor(192, 255, 255));
    const QRect screen = f.form.screen()->availableGeometry();
    QVERIFY(qAbs(f.form.geometry().center().x() - screen.center().x()) <= 1);
}

void TestForm1::convertButtonDrawsTheColumn_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("ideograms");
    QTest::newRow("0") << "0" << "0" << "零";
    QTest::newRow("007") << "007" << "7" << "七";
    QTest::newRow("25") << "25" << "25" << "二十五";
    QTest::newRow("205") << "205" << "205" << "二百零五";
    QTest::newRow("1010") << "1010" << "1010" << "一千零一十";
    QTest::newRow("10000") << "10000" << "10000" << "一十千";
    QTest::newRow("12345") << "12345" << "12345" << "一十二千三百四十五";
}

void TestForm1::convertButtonDrawsTheColumn()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(QString, ideograms);

    FormFixture f;
    MessageRecorder boxes;
    f.convert(typed);
    QCOMPARE(f.Text1->text(), after);
    QCOMPARE(f.ideograms(), ideograms);
    for (int k = 0; k < f.cells(); ++k) {
        QCOMPARE(f.cell(k)->geometry(), QRect(16, 40 + 25 * k, 25, 25));
        QCOMPARE(f.cell(k)->topTwips(), 600.0f + 375.0f * float(k));
        QVERIFY(f.cell(k)->isVisible());
    }
    QVERIFY(boxes.messages.isEmpty());
}

void TestForm1::shortNumberAfterLongLeavesOneLiveCell()
{
    FormFixture f;
    f.convert(QStringLiteral("12345"));
    QCOMPARE(f.cells(), 9);
    QPointer<IdeogramCell> eighth = f.cell(8);

    f.convert(QStringLiteral("7"));
    QCOMPARE(f.cells(), 1);
    QCOMPARE(f.ideograms(), QString::fromUtf8("七"));
    QVERIFY(eighth.isNull());  // destroyed, not just hidden
    QCOMPARE(f.form.findChildren<IdeogramCell *>().size(), 1);

    f.convert(QString());
    QCOMPARE(f.ideograms(), QString::fromUtf8("七"));
}

void TestForm1::appendedCellsAppearOnlyInPlace()
{
    // Watch every cell as it is shown: none may appear at cell 0's place.
    struct ShowWatcher : QObject {
        QList<QRect> shownAt;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show)
                if (auto *cell = qobject_cast<IdeogramCell *>(watched))
                    shownAt << cell->geometry();
            return false;
        }
    } watcher;
    FormFixture f;
    qApp->installEventFilter(&watcher);
    f.convert(QStringLiteral("12345"));
    qApp->removeEventFilter(&watcher);
    QCOMPARE(watcher.shownAt.size(), 8);
    for (const QRect &place : watcher.shownAt)
        QVERIFY(place.top() > f.cell(0)->geometry().top());
}

void TestForm1::languageChangeResetsEverything_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("fileMenu");
    QTest::newRow("German") << "mnall" << 2 << "Eine Zahl treten !" << "Konvertieren" << "&Datei";
    QTest::newRow("English") << "mnengl" << 3 << "Enter a number !" << "Convertion !" << "&Files";
    QTest::newRow("French again") << "mnfr" << 1 << "Entrez un nombre !" << "Convertir !" << "&Fichier";
}

void TestForm1::languageChangeResetsEverything()
{
    QFETCH(QString, item);
    QFETCH(int, code);
    QFETCH(QString, prompt);
    QFETCH(QString, button);
    QFETCH(QString, fileMenu);

    FormFixture f;
    f.convert(QStringLiteral("25"));
    f.action(qPrintable(item))->trigger();

    QCOMPARE(int(langue), code);
    QCOMPARE(f.Label1->text(), prompt);
    QCOMPARE(f.Command1->text(), button);
    QCOMPARE(f.menu()->title(), fileMenu);
    QCOMPARE(f.Text1->text(), QStringLiteral("0"));
    QCOMPARE(f.cells(), 1);
    QCOMPARE(f.cell(0)->picture(), 101);
    QCOMPARE(f.cell(0)->tag(), QStringLiteral("0"));
    for (const char *name : {"mnfr", "mnall", "mnengl"})
        QCOMPARE(f.action(name)->isChecked(), item == QLatin1String(name));
    QCOMPARE(f.action("mnfr")->text(), QStringLiteral("&Français"));
    QCOMPARE(f.action("mnall")->text(), QStringLiteral("&Deutsch"));
    QCOMPARE(f.action("mnengl")->text(), QStringLiteral("&English"));
}

void TestForm1::tooltipsNameTheValue_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("French") << "mnfr" << QString::fromUtf8("Cet idéogramme symbolise le : ");
    QTest::newRow("German") << "mnall" << QStringLiteral("Dieses Schrittzeichen symbolisiert : ");
    QTest::newRow("English") << "mnengl" << QStringLiteral("This ideogram symbolize : ");
}

void TestForm1::tooltipsNameTheValue()
{
    QFETCH(QString, item);
    QFETCH(QString, prefix);

    FormFixture f;
    QTest::mouseMove(f.cell(0));
    QCOMPARE(f.cell(0)->toolTip(), QString::fromUtf8("Cet idéogramme symbolise le : 0  "));

    // A language change shows at the next move, without a new conversion.
    f.action(qPrintable(item))->trigger();
    QTest::mouseMove(f.cell(0), QPoint(3, 3));
    QCOMPARE(f.cell(0)->toolTip(), prefix + QStringLiteral("0  "));

    f.convert(QStringLiteral("25"));
    const QStringList values = {"2", "10", "5"};
    for (int k = 0; k < 3; ++k) {
        QTest::mouseMove(f.cell(k), QPoint(5, 5 + k));
        QCOMPARE(f.cell(k)->toolTip(), prefix + values[k] + QStringLiteral("  "));
    }
}

void TestForm1::captionsFitInEveryLanguage()
{
    FormFixture f;
    for (int language : {1, 2, 3}) {
        const QString prompt = LoadResString(stringIdentifier(language, msg::Prompt));
        const QString button = LoadResString(stringIdentifier(language, msg::ConvertButton));
        QVERIFY2(captionWidth(f.Label1->font(), prompt) <= f.Label1->width(), qPrintable(prompt));
        QVERIFY2(QFontMetrics(f.Label1->font()).height() <= f.Label1->height(), qPrintable(prompt));
        QVERIFY2(captionWidth(f.Command1->font(), button) <= f.Command1->width() - 4, qPrintable(button));
        QVERIFY(f.Command1->sizeHint().height() <= f.Command1->height());
    }
    QVERIFY(f.Label1->font().pixelSize() >= 8);
}

void TestForm1::accessibleNamesFollowTheColumn()
{
    FormFixture f;
    f.convert(QStringLiteral("1000"));
    QCOMPARE(f.cell(1)->accessibleName(), QString::fromUtf8("千"));
    QCOMPARE(f.cell(1)->accessibleDescription(), QStringLiteral("1000"));
    QCOMPARE(f.cell(0)->accessibleName(), QString::fromUtf8("一"));
    QCOMPARE(f.cell(0)->accessibleDescription(), QStringLiteral("1"));
    QCOMPARE(f.Text1->accessibleName(), QStringLiteral("Entrez un nombre !"));
    QCOMPARE(f.Command1->accessibleName(), QStringLiteral("Convertir !"));
    f.action("mnengl")->trigger();
    QCOMPARE(f.Command1->accessibleName(), QStringLiteral("Convertion !"));
}

void TestForm1::keyboardReachesEverything()
{
    FormFixture f;
    QApplication::setActiveWindow(&f.form);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.Text1->setFocus();
    f.Text1->setText(QStringLiteral("205"));
    QTest::keyClick(f.Text1, Qt::Key_Tab);
    QVERIFY(f.Command1->hasFocus());
    QTest::keyClick(f.Command1, Qt::Key_Space);
    QCOMPARE(f.ideograms(), QString::fromUtf8("二百零五"));
    QTest::keyClick(f.Command1, Qt::Key_Tab);
    QVERIFY(f.Text1->hasFocus());

    // Alt plus the menu's accelerator opens the menu.
    QTest::keyClick(f.Text1, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(f.menu()->isVisible());
    f.menu()->close();
}

void TestForm1::quitClosesTheWindow()
{
    FormFixture f;
    f.action("mnquit")->trigger();
    QVERIFY(!f.form.isVisible());
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
