// The main window telling on standard output what a person would see, for
// real_keys.sh: each message box instead of showing it, each menu that opens,
// and the box's text on F12, a key that types nothing.
#include "app/main_window.h"
#include "kit/message_box.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>

#include <cstdio>

static void say(const QString &line) { std::printf("%s\n", line.toUtf8().constData()); }

int main(int argc, char *argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // real_keys.sh reads each line as it comes
    QApplication application(argc, argv);
    kit::setMessageHandler([](QWidget *, const kit::Message &message) {
        say(QStringLiteral("message %1: %2").arg(message.title, message.text));
    });
    app::MainWindow form;
    const auto *box = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
    // Shortcuts come in turn with the keys, so F12 is told after all before it.
    QShortcut tell(
        Qt::Key_F12, &form, [box] { say(QStringLiteral("box ") + box->text()); }, Qt::ApplicationShortcut);
    for (QMenu *menu : form.findChildren<QMenu *>())
        QObject::connect(menu, &QMenu::aboutToShow, [menu] { say(QStringLiteral("menu ") + menu->objectName()); });
    form.show();
    return application.exec();
}
