#include "../message_recorder.h"
#include "app/about_box.h"
#include "clip/animation.h"
#include "window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // The program's own warnings (a missing picture or text) are failures here.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^numoria:"))); }
    void startsInFrench();
    void convertDrawsTheColumnEdgeToEdge_data();
    void convertDrawsTheColumnEdgeToEdge();
    void nothingToDrawKeepsCellZero();
    void pastedLettersAreRefusedAtConversion();
    void languageItemsResetEverything_data();
    void languageItemsResetEverything();
    void aboutBoxSpeaksTheLanguageItOpenedIn_data();
    void aboutBoxSpeaksTheLanguageItOpenedIn();
    void aboutBoxIsOneModelessInstanceThatOkCloses_data();
    void aboutBoxIsOneModelessInstanceThatOkCloses();
    void aboutBoxIsNeverLostMinimised();
    void theClipIsReadOnceTheWindowIsOnScreen();
};

void TestMainWindow::startsInFrench()
{
    WindowFixture f;
    QCOMPARE(f.window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("Numoria"));
    for (int size : {16, 32, 48, 64}) { // the icon's raw pixels are its picture's, in the right byte order
        const QImage picture(QStringLiteral(NUMORIA_SOURCE_DIR "/packaging/icons/hicolor/%1x%1/apps/org.example.Numoria.png").arg(size));
        QCOMPARE(f.window.windowIcon().pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                 picture.convertToFormat(QImage::Format_ARGB32));
    }
    QVERIFY(!(f.window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(app::MainWindow::clientSize(), QSize(162, 277));
    const QPoint centre = f.window.screen()->availableGeometry().center();
    QCOMPARE(f.window.pos(), centre - QPoint(f.window.width() / 2, f.window.height() / 2)); // centred when shown
    QCOMPARE(f.prompt->text(), QStringLiteral("Entrez un nombre !"));
    QCOMPARE(f.button->text(), QStringLiteral("Convertir !"));
    QCOMPARE(f.button->toolTip(), QStringLiteral("Cliquer pour convertir !"));
    QCOMPARE(f.window.findChild<QMenu *>(QStringLiteral("mnfich"))->title(), QStringLiteral("&Fichier"));
    QCOMPARE(f.item("mnapro")->text(), QStringLiteral("&A propos"));
    QCOMPARE(f.item("mnquit")->text(), QStringLiteral("&Quitter"));
    QCOMPARE(f.box->text(), QStringLiteral("0"));
    QCOMPARE(f.column(), QStringLiteral("零:0"));
    QCOMPARE(f.cell(0)->objectName(), QStringLiteral("Image1"));
    QVERIFY(f.item("mnfr")->isChecked() && !f.item("mnall")->isChecked() && !f.item("mnengl")->isChecked());
    QCOMPARE(f.window.findChild<QWidget *>(QStringLiteral("Animation1"))->geometry(), QRect(72, 184, 41, 41));
}

void TestMainWindow::convertDrawsTheColumnEdgeToEdge_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("column");
    QTest::newRow("007") << "007" << "7" << "七:7";
    QTest::newRow("25") << "25" << "25" << "二:2 十:10 五:5";
    QTest::newRow("12345") << "12345" << "12345" << "一:1 十:10 二:2 千:1000 三:3 百:100 四:4 十:10 五:5";
}

// Cells stand one below the other from cell 0's place, and every one paints.
void TestMainWindow::convertDrawsTheColumnEdgeToEdge()
{
    QFETCH(QString, typed);
    QFETCH(QString, box);
    QFETCH(QString, column);
    WindowFixture f;
    f.convert(typed);
    QCOMPARE(f.box->text(), box);
    QCOMPARE(f.column(), column);
    for (int k = 0; k < f.cells(); ++k) {
        QCOMPARE(f.cell(k)->geometry(), QRect(16, 40 + 25 * k, 25, 25));
        QVERIFY(f.cell(k)->isVisible());
        const QImage picture = f.cell(k)->grab().toImage();
        QCOMPARE(picture.pixelColor(1, 1), QColor(Qt::black));  // the pictures' ground
    }
}

void TestMainWindow::nothingToDrawKeepsCellZero()
{
    WindowFixture f;
    MessageRecorder boxes;
    f.convert(QStringLiteral("12345"));
    f.convert(QString());
    QCOMPARE(f.column(), QStringLiteral("一:1"));
    QVERIFY(boxes.messages.isEmpty());
}

void TestMainWindow::pastedLettersAreRefusedAtConversion()
{
    WindowFixture f;
    f.convert(QStringLiteral("25"));
    MessageRecorder boxes;
    f.convert(QStringLiteral("2a"));
    QCOMPARE(f.column(), QStringLiteral("二:2"));
    QCOMPARE(f.box->text(), QStringLiteral("2a"));
    QCOMPARE(boxes.messages, (QList<kit::Message>{{QStringLiteral("Seul les chiffres sont permis !"),
                                                  QStringLiteral("Montant"), kit::MessageIcon::Exclamation}}));
}

void TestMainWindow::languageItemsResetEverything_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("quit");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("tooLong");
    QTest::newRow("German") << "mnall" << "Eine Zahl treten !" << "Konvertieren" << "&Enden"
                            << "Dieses Schrittzeichen symbolisiert : 10  " << "Die Zahl kannt nicht fünf Ziffern ûberholt";
    QTest::newRow("English") << "mnengl" << "Enter a number !" << "Convertion !" << "&End"
                             << "This ideogram symbolize : 10  " << "The number can't exeed five numeral";
    QTest::newRow("French again") << "mnfr" << "Entrez un nombre !" << "Convertir !" << "&Quitter"
                                  << "Cet idéogramme symbolise le : 10  " << "Le nombre ne peur exéder cinq chiffres !";
}

// A language item sets every caption, resets box and column, and what is
// built afterwards (tooltips, messages) speaks the new language at once.
void TestMainWindow::languageItemsResetEverything()
{
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    QFETCH(QString, button);
    QFETCH(QString, quit);
    QFETCH(QString, tooltip);
    QFETCH(QString, tooLong);
    WindowFixture f;
    f.convert(QStringLiteral("25"));
    f.item(qPrintable(item))->trigger();
    QCOMPARE(f.prompt->text(), prompt);
    QCOMPARE(f.button->text(), button);
    QCOMPARE(f.item("mnquit")->text(), quit);
    QCOMPARE(f.box->text(), QStringLiteral("0"));
    QCOMPARE(f.column(), QStringLiteral("零:0"));
    for (const char *other : {"mnfr", "mnall", "mnengl"})
        QCOMPARE(f.item(other)->isChecked(), item == QLatin1String(other));
    QCOMPARE(f.item("mnall")->text(), QStringLiteral("&Deutsch"));

    f.convert(QStringLiteral("10"));
    QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), f.cell(1)->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f.cell(1), &hover);
    QCOMPARE(f.cell(1)->toolTip(), tooltip);

    MessageRecorder boxes;
    f.box->setText(QStringLiteral("123456"));
    QCOMPARE(f.box->text(), QStringLiteral("0"));
    QCOMPARE(boxes.messages, (QList<kit::Message>{{tooLong, QStringLiteral("Numoria"),
                                                  kit::MessageIcon::Critical}}));
}

void TestMainWindow::aboutBoxSpeaksTheLanguageItOpenedIn_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QString>("sysInfo");
    QTest::newRow("French") << "mnfr" << "A propos de Numoria" << "Version : 1.1.0" << "Auteur membre du Ordalis"
                            << "Infos système";
    QTest::newRow("German") << "mnall" << "Diesbezüglich  Numoria" << "Modell : 1.1.0"
                            << "Schöpfer Mitglied von Ordalis" << "Systeminfo !";
    QTest::newRow("English") << "mnengl" << "About of Numoria" << "Version :  1.1.0" << "Autor member of Ordalis"
                             << "Syst. Info !";
}

void TestMainWindow::aboutBoxSpeaksTheLanguageItOpenedIn()
{
    QFETCH(QString, item);
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(QString, credit);
    QFETCH(QString, sysInfo);
    WindowFixture f;
    f.item(qPrintable(item))->trigger();
    f.item("mnapro")->trigger();
    QPointer<app::AboutBox> box = app::AboutBox::instance();
    QVERIFY(box && box->isVisible());
    // A language chosen while it is open does not reach it.
    f.item(item == QLatin1String("mnfr") ? "mnengl" : "mnfr")->trigger();
    QCOMPARE(box->windowTitle(), title);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), version);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Numoria"));
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("Label1"))->text(), credit);
    QCOMPARE(box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(), sysInfo);
    QVERIFY(box->findChild<QLabel *>(QStringLiteral("lblDescription"))->text().contains(QStringLiteral("\r\n")));
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("lblDisclaimer"))->text().count(QStringLiteral("\r\n")), 2);
    QVERIFY(!box->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    QVERIFY(!box->windowIcon().isNull());
    delete box;
}

void TestMainWindow::aboutBoxIsOneModelessInstanceThatOkCloses_data()
{
    QTest::addColumn<int>("key");  // 0: a click on OK
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestMainWindow::aboutBoxIsOneModelessInstanceThatOkCloses()
{
    QFETCH(int, key);
    WindowFixture f;
    f.item("mnapro")->trigger();
    QPointer<app::AboutBox> box = app::AboutBox::instance();
    f.item("mnapro")->trigger();
    QCOMPARE(app::AboutBox::instance(), box.data());
    QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
    QVERIFY(!box->isModal() && !box->parent());
    QVERIFY(!(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(box->size(), app::AboutBox::clientSize());
    QCOMPARE(box->findChild<QWidget *>(QStringLiteral("Animation1"))->geometry(), QRect(16, 16, 41, 41));
    QPushButton *ok = box->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    if (key == 0)
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        QTest::keyClick(box, Qt::Key(key));
    QTRY_VERIFY(box.isNull());
    QVERIFY(f.window.isVisible());
}

// Out of the task bar, a minimised box comes back through the About item while
// the main window is open, and by itself once no other window is left.
void TestMainWindow::aboutBoxIsNeverLostMinimised()
{
    WindowFixture f;
    f.item("mnapro")->trigger();
    QPointer<app::AboutBox> box = app::AboutBox::instance();
    box->showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(box->isMinimized());
    f.item("mnapro")->trigger();
    QVERIFY(!box->isMinimized());
    box->showMinimized();
    f.window.close();
    QTRY_VERIFY(!box->isMinimized());
    box->showMinimized();
    QTRY_VERIFY(!box->isMinimized());
    QVERIFY(box->isVisible());
    delete box;
}

void TestMainWindow::theClipIsReadOnceTheWindowIsOnScreen()
{
    app::MainWindow window;
    auto *animation = window.findChild<clip::Animation *>(QStringLiteral("Animation1"));
    QSignalSpy answers(animation, &clip::Animation::answered);
    QVERIFY(!answers.wait(200)); // nothing is read for a window not yet painted
    window.show();
    QVERIFY(answers.wait());
    QCOMPARE(answers.first().first().toBool(), true);
    QVERIFY(animation->isPlaying());
    window.findChild<QAction *>(QStringLiteral("mnall"))->trigger(); // and again with each language
    QTRY_COMPARE(answers.count(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
