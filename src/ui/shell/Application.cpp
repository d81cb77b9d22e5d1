#include "ui/shell/Application.h"

#include <QApplication>

int RunMoxa(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
