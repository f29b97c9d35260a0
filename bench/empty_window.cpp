// The lowest floor under start-up: a Qt Widgets program that shows one empty
// QWidget and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(162, 300);
    window.show();
    return application.exec();
}
