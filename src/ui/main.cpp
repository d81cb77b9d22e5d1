#include "ui/MainWindows.h"

int main(int argc, char** argv)
{
    return RunMoxa(argc, argv);
}
