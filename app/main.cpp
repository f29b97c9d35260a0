#include "app/display_guard.h"
#include "app/font_preload.h"
#include "app/main_window.h"
#include "kit/style.h"

#include <QApplication>
#include <QIcon>

#include <optional>

int main(int argc, char *argv[])
{
    app::FontPreload fonts;
    std::optional<app::DisplayGuard> guard(std::in_place);
    QApplication application(argc, argv);
    guard->opened();
    guard.reset();
    fonts.wait();
    QApplication::setApplicationName(QStringLiteral("Numoria"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Numoria"));
    QApplication::setWindowIcon(kit::windowIcon());

    auto *window = new app::MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return application.exec();
}
