#include "base/DataPaths.h"
#include "cli/Commands.h"

#include <cstdio>

namespace
{
int CmdVersion(CCliContext&, const CParsedArgs&)
{
    std::printf("%s\n", std::string(MoxaVersionText).c_str());
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
