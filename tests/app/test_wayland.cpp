// The program's two windows on a real Wayland compositor (wayland.sh starts
// one): what a person meets there, and not one warning on the way. The steps
// build on each other, in order, as one person's session.
#include "app/main_window.h"
#include "clip/animation.h"
#include "kit/strings.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>
#include <QtTest>

class TestWayland : public QObject
{
    Q_OBJECT

    QPointer<app::MainWindow> main_;
    QPointer<QWidget> about_;

    QLineEdit *box() const { return main_->findChild<QLineEdit *>(QStringLiteral("Text1")); }
    void convert(const QString &number)
    {
        box()->setText(number);
        QTest::mouseClick(main_->findChild<QToolButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    // The top cell of the ideogram column.
    QWidget *firstCell() const
    {
        QWidget *top = nullptr;
        for (QWidget *cell : main_->findChildren<QWidget *>(QStringLiteral("Image1")))
            if (!top || cell->y() < top->y())
                top = cell;
        return top;
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QApplication::setApplicationName(QStringLiteral("Numoria"));
        QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    }
    // Nothing may warn: Wayland places the windows itself, as expected.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral("."))); }

    void bothWindowsOpen()
    {
        main_ = new app::MainWindow;
        main_->setAttribute(Qt::WA_DeleteOnClose);
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
        main_->findChild<QAction *>(QStringLiteral("mnapro"))->trigger();
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QStringLiteral("frmAbout"))
                about_ = window;
        QVERIFY(about_);
        QVERIFY(QTest::qWaitForWindowExposed(about_));
        QVERIFY(main_->isVisible());
    }

    // Each window's clip moves on by itself.
    void clipsPlay()
    {
        for (QWidget *window : {static_cast<QWidget *>(main_), static_cast<QWidget *>(about_)}) {
            const auto *clip = window->findChild<clip::Animation *>(QStringLiteral("Animation1"));
            QTRY_VERIFY_WITH_TIMEOUT(clip->isPlaying(), 5000);
            const int first = clip->currentFrame();
            QTRY_VERIFY_WITH_TIMEOUT(clip->currentFrame() != first, 5000);
        }
    }

    void tooltipShows()
    {
        convert(QStringLiteral("12345"));
        QWidget *cell = firstCell();
        const QPoint middle = cell->rect().center();
        QHelpEvent hover(QEvent::ToolTip, middle, cell->mapToGlobal(middle));
        QApplication::sendEvent(cell, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(u'1'));
        QWidget *tip = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->windowType() == Qt::ToolTip && window->isVisible())
                tip = window;
        QVERIFY(tip && QTest::qWaitForWindowExposed(tip));
        QToolTip::hideText();
    }

    // The real box, on screen, answered with its OK button. Letters pasted
    // bring it: weston's headless compositor has no seat, and Qt's text input
    // would read one on a key.
    void messageBoxShows()
    {
        QString shown;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            if (auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                answer.stop();
                if (QTest::qWaitForWindowExposed(message))
                    shown = message->text();
                message->button(QMessageBox::Ok)->click();
            }
        });
        answer.start(100);
        convert(QStringLiteral("2a"));
        QCOMPARE(shown, kit::digitsOnlyText());
    }

    // Qt's own title bar on Wayland has a maximise button whatever the window
    // asks for: pressed, it may not end the program, and each window comes
    // back to its size, working.
    void maximiseLeavesThemWorking()
    {
        for (QWidget *window : {static_cast<QWidget *>(main_), static_cast<QWidget *>(about_)}) {
            QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
            const QSize size = window->size();
            QWindow *handle = window->windowHandle();
            handle->setWindowStates(handle->windowStates() ^ Qt::WindowMaximized);  // what the button does
            QTest::qWait(500);
            QVERIFY(window->isVisible());
            handle->setWindowStates(handle->windowStates() & ~Qt::WindowMaximized);
            QTRY_COMPARE(window->size(), size);
        }
        convert(QStringLiteral("7"));
        QCOMPARE(firstCell()->accessibleDescription(), QStringLiteral("7"));
    }

    // The About box keeps the program while it is the last window; closing it ends the program with 0.
    void lastWindowEndsProgram()
    {
        QTimer::singleShot(0, main_, &QWidget::close);
        QTimer::singleShot(500, about_, [this] {
            QVERIFY(about_->isVisible());
            about_->windowHandle()->close();  // as the decoration's close button does
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QTRY_VERIFY(!main_ && !about_);
    }
};

QTEST_MAIN(TestWayland)
#include "test_wayland.moc"
