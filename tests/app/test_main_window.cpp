#include "../message_recorder.h"
#include "app/about_box.h"
#include "clip/animation.h"
#include "kit/style.h"
#include "sysinfo/machine_value.h"
#include "window_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QWindow>

class TestMainWindow : public QObject
{
    Q_OBJECT

    static QString labelText(QWidget *window, const char *name)
    {
        return window->findChild<QLabel *>(QString::fromLatin1(name))->text();
    }

    static QWidget *aboutBox()
    {
        const auto windows = QApplication::topLevelWidgets();
        const auto box = std::find_if(windows.begin(), windows.end(),
                                      [](QWidget *w) { return w->objectName() == QLatin1String("frmAbout"); });
        return box == windows.end() ? nullptr : *box;
    }

    // The whole frame, title bar included, in the middle of the screen (the
    // offscreen platform draws a frame of a few pixels round each window).
    static bool frameIsCentred(QWidget *window)
    {
        const QRectF frame = window->frameGeometry();
        const QPointF off = frame.center() - QRectF(window->screen()->availableGeometry()).center();
        return frame.size() != window->size() && qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1;
    }

private slots:
    // The program's own warnings (a missing picture or text) are failures here.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("^numoria:"))); }

    void startsWithZero()
    {
        WindowFixture f;
        QCOMPARE(f.window.objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Numoria"));
        for (int size : {16, 32, 48, 64}) {  // the icon's raw pixels are its picture's, in the right byte order
            const QImage picture(
                QStringLiteral(NUMORIA_SOURCE_DIR "/packaging/icons/hicolor/%1x%1/apps/org.example.Numoria.png")
                    .arg(size));
            QCOMPARE(f.window.windowIcon().pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                     picture.convertToFormat(QImage::Format_ARGB32));
        }
        QVERIFY(!(f.window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(f.window.findChild<QWidget *>(QStringLiteral("client"))->size(), QSize(162, 277));
        QVERIFY(frameIsCentred(&f.window));
        // Every language's caption fits within the button's border and padding.
        const QStringList captions = kit::inEveryLanguage(kit::Text::ConvertButton);
        QCOMPARE(captions, QStringList({"Convertir !", "Konvertieren", "Convertion !"}));
        for (const QString &caption : captions)
            QVERIFY(QFontMetrics(f.button->font()).horizontalAdvance(caption) <= f.button->width() - 8);
        for (const QString &prompt : kit::inEveryLanguage(kit::Text::Prompt))
            QVERIFY(QFontMetrics(f.prompt->font()).horizontalAdvance(prompt) <= f.prompt->width());
        // The zero on the button is drawn at its own size, never scaled, so it stays sharp.
        QCOMPARE(f.button->icon().availableSizes(), QList<QSize>{f.button->iconSize() * f.button->devicePixelRatio()});
        QCOMPARE(f.box->text(), QStringLiteral("0"));
        QCOMPARE(f.column(), QStringLiteral("零:0"));
        QCOMPARE(f.cell(0)->objectName(), QStringLiteral("Image1"));
        QCOMPARE(f.window.findChild<QWidget *>(QStringLiteral("Animation1"))->geometry(), QRect(72, 184, 41, 41));
    }

    // Converting after 12345: the box, the column, and whether the digits-only
    // message came. Cell 0 keeps its last ideogram when nothing is drawn.
    void convert_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("refused");
        // clang-format off
        QTest::newRow("leading zeros") << "007" << "7" << "七:7" << false;
        QTest::newRow("five digits") << "12345" << "12345" << "一:1 十:10 二:2 千:1000 三:3 百:100 四:4 十:10 五:5" << false;
        QTest::newRow("empty") << "" << "" << "一:1" << false;
        QTest::newRow("pasted letters") << "2a" << "2a" << "一:1" << true;
        // clang-format on
    }

    // Cells stand one below the other from cell 0's place, and every one paints.
    void convert()
    {
        QFETCH(QString, typed);
        QFETCH(QString, box);
        QFETCH(QString, column);
        QFETCH(bool, refused);
        WindowFixture f;
        f.convert(QStringLiteral("12345"));
        MessageRecorder boxes;
        f.convert(typed);
        QCOMPARE(f.box->text(), box);
        QCOMPARE(f.column(), column);
        for (int k = 0; k < f.cells(); ++k) {
            QCOMPARE(QRect(f.cell(k)->mapTo(f.cell(k)->window()->findChild<QWidget *>(QStringLiteral("client")),
                                            QPoint(0, 0)),
                           f.cell(k)->size()),
                     QRect(16, 40 + 25 * k, 25, 25));
            QVERIFY(f.cell(k)->isVisible());
            QCOMPARE(f.cell(k)->grab().toImage().pixelColor(1, 1), QColor(Qt::black));  // the pictures' ground
        }
        const kit::Message digitsOnly{QStringLiteral("Seul les chiffres sont permis !"), QStringLiteral("Montant"),
                                      kit::MessageIcon::Exclamation};
        QCOMPARE(boxes.messages, refused ? QList{digitsOnly} : QList<kit::Message>());
    }

    // Prompt, button, its tooltip, menu, About, Quit, an ideogram's tooltip and
    // the too-long message, as started (no item) or after a language item.
    void languages_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("texts");
        const QStringList french{"Entrez un nombre !",
                                 "Convertir !",
                                 "Cliquer pour convertir !",
                                 "&Fichier",
                                 "&A propos",
                                 "&Quitter",
                                 "Cet idéogramme symbolise le : 10  ",
                                 "Le nombre ne peur exéder cinq chiffres !"};
        QTest::newRow("French at start") << "" << french;
        QTest::newRow("German") << "mnall"
                                << QStringList{"Eine Zahl treten !",
                                               "Konvertieren",
                                               "Stützen auf dem Knopf für konvertieren !",
                                               "&Datei",
                                               "&Dazu",
                                               "&Enden",
                                               "Dieses Schrittzeichen symbolisiert : 10  ",
                                               "Die Zahl kannt nicht fünf Ziffern ûberholt"};
        QTest::newRow("English") << "mnengl" << QStringList{"Enter a number !",
                                                            "Convertion !",
                                                            "Click to convertion !",
                                                            "&Files",
                                                            "&About...",
                                                            "&End",
                                                            "This ideogram symbolize : 10  ",
                                                            "The number can't exeed five numeral"};
        QTest::newRow("French again") << "mnfr" << french;
    }

    // A language item sets every caption, resets box and column, and what is
    // built afterwards (tooltips, messages) speaks the new language at once.
    void languages()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, texts);
        WindowFixture f;
        if (!item.isEmpty()) {
            f.convert(QStringLiteral("25"));
            f.item(qPrintable(item))->trigger();
        }
        QCOMPARE(QStringList({f.prompt->text(), f.button->text(), f.button->toolTip(),
                              f.window.findChild<QMenu *>(QStringLiteral("mnfich"))->title(), f.item("mnapro")->text(),
                              f.item("mnquit")->text()}),
                 texts.mid(0, 6));
        QCOMPARE(f.box->text(), QStringLiteral("0"));
        QCOMPARE(f.column(), QStringLiteral("零:0"));
        for (const char *other : {"mnfr", "mnall", "mnengl"})
            QCOMPARE(f.item(other)->isChecked(),
                     (item.isEmpty() ? QStringLiteral("mnfr") : item) == QLatin1String(other));
        QCOMPARE(f.item("mnall")->text(), QStringLiteral("&Deutsch"));

        f.convert(QStringLiteral("10"));
        QMouseEvent hover(QEvent::MouseMove, QPointF(5, 5), f.cell(1)->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.cell(1), &hover);
        QCOMPARE(f.cell(1)->toolTip(), texts[6]);

        MessageRecorder boxes;
        f.box->setText(QStringLiteral("123456"));
        QCOMPARE(f.box->text(), QStringLiteral("0"));
        QCOMPARE(boxes.messages,
                 (QList<kit::Message>{{texts[7], QStringLiteral("Numoria"), kit::MessageIcon::Critical}}));
    }

    // Title, version, credit, system-information button and description.
    void aboutBoxSpeaksTheLanguageItOpenedIn_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("French") << "mnfr"
                                << QStringList{"A propos de Numoria", "Version : 1.1.0", "Auteur membre du Ordalis",
                                               "Infos système",
                                               "Logiciel de conversion de nombres\r\narabes en nombres chinois !"};
        QTest::newRow("German") << "mnall"
                                << QStringList{
                                       "Diesbezüglich  Numoria", "Modell : 1.1.0", "Schöpfer Mitglied von Ordalis",
                                       "Systeminfo !",
                                       "        Umwandlungsoftware von \r\narabische Ziffern in chinesische Ziffern"};
        QTest::newRow("English") << "mnengl"
                                 << QStringList{
                                        "About of Numoria", "Version :  1.1.0", "Autor member of Ordalis",
                                        "Syst. Info !",
                                        "Convertion's soft of arabian number\r\n             in chinese  number"};
    }

    void aboutBoxSpeaksTheLanguageItOpenedIn()
    {
        QFETCH(QString, item);
        QFETCH(QStringList, texts);
        WindowFixture f;
        f.item(qPrintable(item))->trigger();
        f.item("mnapro")->trigger();
        QPointer<QWidget> box = aboutBox();
        QVERIFY(box && box->isVisible());
        // A language chosen while it is open does not reach it.
        f.item(item == QLatin1String("mnfr") ? "mnengl" : "mnfr")->trigger();
        QCOMPARE(QStringList({box->windowTitle(), labelText(box, "lblVersion"), labelText(box, "Label1"),
                              box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"))->text(),
                              labelText(box, "lblDescription")}),
                 texts);
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("Numoria"));
        // Each line of each text fits its label.
        for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "Label1", "lblDisclaimer"}) {
            const auto *label = box->findChild<QLabel *>(QString::fromLatin1(name));
            for (const QString &line : label->text().split(QStringLiteral("\r\n")))
                QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(line) <= label->width(), name);
        }
        QCOMPARE(labelText(box, "lblDisclaimer").count(QStringLiteral("\r\n")), 2);
        QVERIFY(!box->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
        QVERIFY(!box->windowIcon().isNull());
        delete box;
    }

    void aboutBoxIsOneModelessInstanceThatOkCloses_data()
    {
        QTest::addColumn<int>("key");  // 0: a click on OK
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void aboutBoxIsOneModelessInstanceThatOkCloses()
    {
        QFETCH(int, key);
        WindowFixture f;
        f.item("mnapro")->trigger();
        QPointer<QWidget> box = aboutBox();
        f.item("mnapro")->trigger();
        QCOMPARE(aboutBox(), box.data());
        QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
        QVERIFY(!box->isModal() && !box->parent());
        // An ordinary window, which managers frame and list like any other.
        QCOMPARE(box->windowType(), Qt::Window);
        QVERIFY(!(box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(frameIsCentred(box));
        QCOMPARE(box->size(), QSize(409, 237));
        QCOMPARE(box->findChild<QWidget *>(QStringLiteral("Animation1"))->geometry(), QRect(16, 16, 41, 41));
        // The etched rule across it: a grey line over a white one.
        const QImage shot = box->grab().toImage();
        const auto middleOfRow = [&](int y) {
            const QPointF middle = QPointF(200, y + 0.5) * shot.devicePixelRatio();
            return shot.pixelColor(int(middle.x()), int(middle.y()));
        };
        QCOMPARE(QList<QColor>({middleOfRow(163), middleOfRow(164)}),
                 QList<QColor>({QColor(128, 128, 128), QColor(Qt::white)}));
        // Every language's caption fits within the button's border and padding.
        const auto *sysInfo = box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo"));
        for (const QString &caption : kit::inEveryLanguage(kit::Text::SysInfoButton))
            QVERIFY(QFontMetrics(sysInfo->font()).horizontalAdvance(caption) <= sysInfo->width() - 8);
#ifndef _WIN32  // without a stand-in registry file, the launcher can only say it is unavailable
        QVERIFY2(!std::filesystem::exists(sysinfo::standInRegistryFile), "a registry file here would start a tool");
        MessageRecorder unavailable;
        QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QCOMPARE(unavailable.messages.size(), 1);
#endif
        if (key == 0)
            QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
        else
            QTest::keyClick(box, Qt::Key(key));
        QTRY_VERIFY(box.isNull());
        QVERIFY(f.window.isVisible());
    }

    // The About item brings a minimised box back.
    void aboutItemRestoresAMinimisedBox()
    {
        WindowFixture f;
        f.item("mnapro")->trigger();
        QPointer<QWidget> box = aboutBox();
        box->showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(box->isMinimized());
        f.item("mnapro")->trigger();
        QVERIFY(!box->isMinimized() && box->isVisible());
        delete box;
    }

    // Cell 0 is never made again: a new picture in it must reach the screen.
    void firstCellShowsItsNewPicture()
    {
        WindowFixture f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        struct : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                count += event->type() == QEvent::Paint;
                return false;
            }
        } paints;
        f.cell(0)->installEventFilter(&paints);
        f.convert(QStringLiteral("7"));
        QTRY_VERIFY(paints.count > 0);
    }

    void theClipIsReadOnceTheWindowIsOnScreen()
    {
        app::MainWindow window;
        auto *animation = window.findChild<clip::Animation *>(QStringLiteral("Animation1"));
        QSignalSpy answers(animation, &clip::Animation::answered);
        QVERIFY(!answers.wait(200));  // nothing is read for a window not yet painted
        window.show();
        QVERIFY(answers.wait());
        QTest::qWait(200);
        QCOMPARE(answers.count(), 1);
        QCOMPARE(answers.first().first().toBool(), true);
        QVERIFY(animation->isPlaying());
        window.findChild<QAction *>(QStringLiteral("mnall"))->trigger();  // and again with each language
        QTRY_COMPARE(answers.count(), 2);
    }

    // In device pixels at the factor in QT_SCALE_FACTOR (CTest runs this at
    // several): the nine cells of 99999 meet edge to edge with no row of the
    // yellow ground between them, and at whole factors every picture is drawn
    // exactly as the renderer draws it at the cell's size.
    void cellsMeetInDevicePixels()
    {
        WindowFixture f;
        f.convert(QStringLiteral("99999"));
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        const qreal factor = f.window.windowHandle()->devicePixelRatio();
        QCOMPARE(factor, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
        QImage shot = f.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        shot.setDevicePixelRatio(1);
        QList<QRectF> cells;
        for (int k = 0; k < f.cells(); ++k)
            cells << QRectF(QPointF(f.cell(k)->mapTo(&f.window, QPoint(0, 0))) * factor,
                            QSizeF(f.cell(k)->size()) * factor);
        QCOMPARE(cells.size(), 9);
        const QRect column = cells.front().united(cells.back()).toAlignedRect().adjusted(1, 1, -1, -1);
        // The pictures' strokes are blue over black: red stays low, the ground's is 255.
        for (int y = column.top(); y <= column.bottom(); ++y)
            for (int x = column.left(); x <= column.right(); ++x)
                QVERIFY2(qRed(shot.pixel(x, y)) <= 48,
                         qPrintable(QStringLiteral("light pixel at %1,%2").arg(x).arg(y)));
        if (factor != std::round(factor))
            return;
        const int pictures[] = {110, 111, 110, 113, 110, 112, 110, 111, 110};  // 九 十 九 千 九 百 九 十 九
        for (int k = 0; k < f.cells(); ++k) {
            QImage expected(cells[k].toRect().size(), QImage::Format_RGB32);
            expected.fill(kit::lightYellow);
            QPainter painter(&expected);
            QSvgRenderer(kit::ideogramPicturePath(pictures[k])).render(&painter, QRectF(expected.rect()));
            painter.end();
            QCOMPARE(shot.copy(cells[k].toRect()), expected);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
