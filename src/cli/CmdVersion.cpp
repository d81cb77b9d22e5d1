#include "base/DataPaths.h"
#include "cli/Commands.h"

#include <cstdio>

namespace
{
int CmdVersion(CCliContext&, const CParsedArgs&)
{
    std::printf("Moxa v%s\n", std::string(MoxaVersion).c_str());
    return 0;
}
} // namespace

const CCommandSpec VersionCommand = {
    .name = "version",
    .summary = "Print the program's version, as --version does.",
    .exitCodes = "  0  always",
    .needsDataFolder = false,
    .run = CmdVersion,
};
