// Prints numoria::clipPath(), so a test can run it through a symbolic link
// as the installed program is run.

#include "clip_path.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::fputs(qPrintable(numoria::clipPath()), stdout);
    return 0;
}
