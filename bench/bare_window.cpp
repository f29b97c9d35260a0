// The floor under the program's start-up, idle and memory figures: a Qt
// Widgets program showing the same widgets as the main window, at the same
// sizes, with nothing of its own behind them (no numeral engine, clip,
// pictures or string table): a window with a menu bar of one menu of seven
// items, a label, a line edit, a tool button with text, an empty 25 x 25
// widget and an empty 41 x 41 widget in a 162 x 277 client area. With
// --tick, the 41 x 41 widget shows a new picture 25 times a second, as a
// clip at the fastest rate the program shows does.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {

class TickingArea : public QWidget
{
public:
    using QWidget::QWidget;
    int ticks = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ticks % 2 ? Qt::darkBlue : Qt::darkRed);
    }
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto *menuBar = new QMenuBar(&window);
    QMenu *menu = menuBar->addMenu(QStringLiteral("&File"));
    menu->addAction(QStringLiteral("&About"));
    menu->addSeparator();
    menu->addAction(QStringLiteral("&One"))->setCheckable(true);
    menu->addAction(QStringLiteral("&Two"))->setCheckable(true);
    menu->addAction(QStringLiteral("T&hree"))->setCheckable(true);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Quit"));

    auto *client = new QWidget(&window);
    client->setFixedSize(162, 277);
    (new QLabel(QStringLiteral("Label"), client))->setGeometry(32, 16, 97, 17);
    (new QLineEdit(QStringLiteral("0"), client))->setGeometry(72, 40, 65, 19);
    auto *button = new QToolButton(client);
    button->setText(QStringLiteral("Button"));
    button->setGeometry(64, 64, 73, 57);
    (new QWidget(client))->setGeometry(16, 40, 25, 25);
    auto *area = new TickingArea(client);
    area->setGeometry(72, 184, 41, 41);
    area->setAttribute(Qt::WA_OpaquePaintEvent);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, area, [area] {
        ++area->ticks;
        area->repaint();
    });
    if (app.arguments().contains(QStringLiteral("--tick")))
        tick.start(40);

    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return app.exec();
}
