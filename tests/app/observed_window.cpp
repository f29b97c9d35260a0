// The main window as the program shows it, telling on standard output what a
// person would see, for real_keys.sh to read: every message box (instead of
// showing it), every menu that opens, and the box's text whenever F12 (a key
// that types nothing) is pressed.
#include "app/main_window.h"
#include "kit/message_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <cstdio>

namespace {

void say(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

class Observer : public QObject
{
public:
    explicit Observer(const QLineEdit *box) : box_(box) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A key reaches the window once, then each widget it climbs through.
        if (event->type() == QEvent::KeyPress && watched->isWindowType()
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F12)
            say(QStringLiteral("box ") + box_->text());
        if (event->type() == QEvent::Show && qobject_cast<QMenu *>(watched))
            say(QStringLiteral("menu ") + watched->objectName());
        return false;
    }

private:
    const QLineEdit *box_;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    kit::setMessageHandler([](QWidget *, const kit::Message &message) {
        say(QStringLiteral("message %1: %2").arg(message.title, message.text));
    });
    app::MainWindow form;
    Observer observer(form.findChild<QLineEdit *>(QStringLiteral("Text1")));
    application.installEventFilter(&observer);
    form.show();
    return application.exec();
}
