#include "app/main_window.h"
#include "app/start_up.h"
#include "kit/style.h"
#include "kit/version.h"

int main(int argc, char *argv[])
{
    const auto application = app::startApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numoria"));
    QApplication::setApplicationVersion(QString::fromLatin1(kit::versionText));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    QApplication::setWindowIcon(kit::windowIcon());

    auto *window = new app::MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return application->exec();
}
