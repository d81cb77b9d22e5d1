// "install-update": installs a database update archive waiting in the data folder's Temp.
#include "cli/Commands.h"
#include "platform/QtImageDecoder.h"
#include "session/Session.h"

#include <cstdio>

namespace
{
int CmdInstallUpdate(CCliContext& context, const CParsedArgs&)
{
    // The session's installation reloads the database from the new files, which rebuilds
    // the cache, as the program does at start-up.
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    session.LoadSettings();
    session.SetInstallReport([](const std::string& line) { std::printf("%s\n", line.c_str()); });
    switch (session.InstallPendingUpdate())
    {
    case EPendingUpdate::None:
        return 0;
    case EPendingUpdate::Installed:
        // Keeps the new "DatabaseRevision".
        if (!session.SaveSettings())
        {
            std::fprintf(stderr, "moxa-cli: the settings could not be stored\n");
            return 1;
        }
        return 0;
    case EPendingUpdate::Refused:
    case EPendingUpdate::Kept:
        return 1;
    case EPendingUpdate::Several:
        return 3;
    }
    return 1;
}
} // namespace

const CCommandSpec InstallUpdateCommand = {
    .name = "install-update",
    .summary = "Install the update archive waiting in the data folder's Temp (Moxa_*.zip).",
    .details = "The archive is checked whole before anything is written; the database is reloaded\n"
               "and DatabaseRevision becomes the archive's date. Each file moved is printed.",
    .exitCodes = "  0  nothing was waiting, or the archive was installed\n"
                 "  1  the archive was refused (and removed), or the settings could not be stored\n"
                 "  2  bad usage\n"
                 "  3  several archives wait (none installed)",
    .run = CmdInstallUpdate,
};
