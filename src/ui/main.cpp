#include "ui/shell/Application.h"

int main(int argc, char** argv)
{
    return RunMoxa(argc, argv);
}
