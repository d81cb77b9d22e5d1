#include "app/DataPaths.h"
#include "cli/Commands.h"

#include <cstdio>

int CmdVersion(CCliContext&, const CommandArgs&)
{
    std::printf("Moxa v%s\n", std::string(MoxaVersion).c_str());
    return 0;
}
