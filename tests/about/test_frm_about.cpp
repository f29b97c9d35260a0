#include "animation.h"
#include "avi_writer.h"
#include "clip_files.h"
#include "clip_path.h"
#include "form1.h"
#include "frm_about.h"
#include "language.h"
#include "string_table.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace numoria;

namespace {

QString textOf(const QWidget *box, const char *name)
{
    return box->findChild<QLabel *>(QString::fromLatin1(name))->text();
}

// Closes and destroys whatever box is open, so every test starts without one.
void closeAnyBox()
{
    if (frmAbout *box = frmAbout::instance())
        box->cmdOK_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class TestFrmAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void showsTheTextsOfItsLanguage_data();
    void showsTheTextsOfItsLanguage();
    void keepsItsLanguageWhileOpen();
    void oneBoxThatOkDestroys();
    void enterAndEscapePressOk_data();
    void enterAndEscapePressOk();
    void isAFixedBoxOfItsOwn();
    void anyClipProblemLeavesTheAreaEmpty_data();
    void anyClipProblemLeavesTheAreaEmpty();
    void clipReplacedWhileRunning();
};

void TestFrmAbout::cleanup()
{
    closeAnyBox();
    QFile::remove(clipPath());
    QDir().rmdir(clipPath());
    langue = language::French;
}

void TestFrmAbout::showsTheTextsOfItsLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("credit");
    QTest::addColumn<QString>("sysInfo");

    QTest::newRow("French") << 1 << QStringLiteral("A propos de Numoria") << QStringLiteral("Version : 1.1.0")
                            << QStringLiteral("Logiciel de conversion de nombres\r\narabes en nombres chinois !")
                            << QStringLiteral("Auteur membre du Ordalis") << QString::fromUtf8("Infos système");
    QTest::newRow("German") << 2 << QString::fromUtf8("Diesbezüglich  Numoria") << QStringLiteral("Modell : 1.1.0")
                            << QStringLiteral("        Umwandlungsoftware von \r\narabische Ziffern in chinesische Ziffern")
                            << QString::fromUtf8("Schöpfer Mitglied von Ordalis") << QStringLiteral("Systeminfo !");
    QTest::newRow("English") << 3 << QStringLiteral("About of Numoria") << QStringLiteral("Version :  1.1.0")
                             << QStringLiteral("Convertion's soft of arabian number\r\n             in chinese  number")
                             << QStringLiteral("Autor member of Ordalis") << QStringLiteral("Syst. Info !");
}

void TestFrmAbout::showsTheTextsOfItsLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(QString, description);
    QFETCH(QString, credit);
    QFETCH(QString, sysInfo);

    langue = std::int16_t(language);
    frmAbout *box = frmAbout::showInstance();
    QCOMPARE(box->windowTitle(), title);
    QCOMPARE(textOf(box, "lblTitle"), QStringLiteral("Numoria"));
    QCOMPARE(textOf(box, "lblVersion"), version);
    QCOMPARE(textOf(box, "lblDescription"), description);
    const QString disclaimer = LoadResString(stringIdentifier(language, 6)) + "\r\n"
                               + LoadResString(stringIdentifier(language, 7)) + "\r\n"
                               + LoadResString(stringIdentifier(language, 8));
    QCOMPARE(textOf(box, "lblDisclaimer"), disclaimer);
    QCOMPARE(textOf(box, "Label1"), credit);
    QCOMPARE(box->findChild<QPushButton *>("cmdSysInfo")->text(), sysInfo);
    QCOMPARE(box->findChild<QPushButton *>("cmdOK")->text(), QStringLiteral("OK"));
    const QLabel *logo = box->findChild<QLabel *>("Image1");
    QCOMPARE(logo->pixmap().size(), QSize(214, 126));
    QVERIFY(logo->hasScaledContents());
    QVERIFY(!box->windowIcon().isNull());
}

void TestFrmAbout::keepsItsLanguageWhileOpen()
{
    Form1 form;
    form.show();
    form.findChild<QAction *>("mnapro")->trigger();
    frmAbout *box = frmAbout::instance();
    QVERIFY(box);
    QCOMPARE(box->windowTitle(), QStringLiteral("A propos de Numoria"));

    form.findChild<QAction *>("mnengl")->trigger();
    QCOMPARE(box->windowTitle(), QStringLiteral("A propos de Numoria"));
    QCOMPARE(textOf(box, "Label1"), QStringLiteral("Auteur membre du Ordalis"));

    // Choosing About again raises the same box, still in French.
    form.findChild<QAction *>("mnapro")->trigger();
    QCOMPARE(frmAbout::instance(), box);
    QCOMPARE(box->windowTitle(), QStringLiteral("A propos de Numoria"));

    closeAnyBox();
    form.findChild<QAction *>("mnapro")->trigger();
    QCOMPARE(frmAbout::instance()->windowTitle(), QStringLiteral("About of Numoria"));
}

void TestFrmAbout::oneBoxThatOkDestroys()
{
    QPointer<frmAbout> first = frmAbout::showInstance();
    QCOMPARE(frmAbout::showInstance(), first.data());
    int boxes = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        boxes += window->objectName() == QLatin1String("frmAbout");
    QCOMPARE(boxes, 1);

    QTest::mouseClick(first->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(!frmAbout::instance());
}

void TestFrmAbout::enterAndEscapePressOk_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestFrmAbout::enterAndEscapePressOk()
{
    QFETCH(int, key);
    QPointer<frmAbout> box = frmAbout::showInstance();
    // Even with the other button focused, Enter goes to the default OK.
    box->findChild<QPushButton *>("cmdSysInfo")->setFocus();
    box->findChild<QPushButton *>("cmdSysInfo")->setAutoDefault(false);
    QTest::keyClick(box, Qt::Key(key));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(box.isNull());
}

void TestFrmAbout::isAFixedBoxOfItsOwn()
{
    frmAbout *box = frmAbout::showInstance();
    QCOMPARE(box->size(), QSize(409, 237));
    QCOMPARE(box->minimumSize(), box->maximumSize());
    QVERIFY(!box->parentWidget());
    QVERIFY(!box->isModal());
    QCOMPARE(box->windowType(), Qt::Tool);  // kept out of the task bar
    QVERIFY(!(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(box->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(box->findChild<Animation *>("Animation1")->geometry(), QRect(16, 16, 41, 41));
    QCOMPARE(box->findChild<QPushButton *>("cmdOK")->geometry(), QRect(312, 175, 84, 23));
    QCOMPARE(box->palette().color(QPalette::Window), QColor(255, 255, 192));
}

void TestFrmAbout::anyClipProblemLeavesTheAreaEmpty_data()
{
    QTest::addColumn<QByteArray>("content");  // "missing", "directory", or the file's bytes
    QTest::addColumn<int>("frames");

    const std::vector<std::uint8_t> good = colourClip(8, 8, 3, 50000);
    const QByteArray goodBytes(reinterpret_cast<const char *>(good.data()), qsizetype(good.size()));
    AviLayout huge;
    huge.width = 10000;
    huge.height = 10000;
    huge.bitCount = 24;
    huge.chunks = {{"00db", std::vector<std::uint8_t>(16, 0)}};
    const std::vector<std::uint8_t> hugeBytes = writeAvi(huge);

    QTest::newRow("good clip") << goodBytes << 3;
    QTest::newRow("missing") << QByteArray("missing") << 0;
    QTest::newRow("directory") << QByteArray("directory") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("truncated") << goodBytes.left(goodBytes.size() / 2) << 0;
    QTest::newRow("not an AVI") << QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16) << 0;
    QTest::newRow("10000 x 10000")
        << QByteArray(reinterpret_cast<const char *>(hugeBytes.data()), qsizetype(hugeBytes.size())) << 0;
}

void TestFrmAbout::anyClipProblemLeavesTheAreaEmpty()
{
    QFETCH(QByteArray, content);
    QFETCH(int, frames);

    if (content == "directory") {
        QVERIFY(QDir().mkpath(clipPath()));
    } else if (content != "missing") {
        QFile file(clipPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    if (frames == 0)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("numoria\\.avi"));

    // The set-up goes on to its last step whatever the clip did.
    frmAbout *box = frmAbout::showInstance();
    QCOMPARE(box->findChild<Animation *>("Animation1")->frameCount(), frames);
    QCOMPARE(textOf(box, "Label1"), QStringLiteral("Auteur membre du Ordalis"));
    QVERIFY(!box->findChild<QLabel *>("Image1")->pixmap().isNull());
}

void TestFrmAbout::clipReplacedWhileRunning()
{
    const std::vector<std::uint8_t> four = colourClip(8, 8, 4, 50000);
    const std::vector<std::uint8_t> two = colourClip(6, 6, 2, 80000);
    QVERIFY(writeClipFile(clipPath(), four));
    Form1 form;
    form.show();
    auto *mainClip = form.findChild<Animation *>("Animation1");
    QCOMPARE(mainClip->frameCount(), 4);

    // Whatever lies in the file now, the clip already playing goes on; the
    // next opening (a language change, the About box) reads the file anew.
    QVERIFY(writeClipFile(clipPath(), std::vector<std::uint8_t>(four.begin(), four.begin() + 100)));
    mainClip->showNextFrame();
    QCOMPARE(mainClip->frameCount(), 4);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("numoria\\.avi"));
    form.findChild<QAction *>("mnall")->trigger();
    QCOMPARE(mainClip->frameCount(), 0);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("numoria\\.avi"));
    form.findChild<QAction *>("mnapro")->trigger();
    QCOMPARE(frmAbout::instance()->findChild<Animation *>("Animation1")->frameCount(), 0);

    QVERIFY(writeClipFile(clipPath(), two));
    form.findChild<QAction *>("mnengl")->trigger();
    QCOMPARE(mainClip->frameCount(), 2);
    QCOMPARE(mainClip->frameIntervalMs(), 80);
}

QTEST_MAIN(TestFrmAbout)
#include "test_frm_about.moc"
