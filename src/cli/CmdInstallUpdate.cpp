// "install-update": installs a database update archive waiting in the data folder's Temp.
#include "app/Session.h"
#include "cli/Commands.h"
#include "platform/QtImageDecoder.h"

#include <cstdio>

int CmdInstallUpdate(CCliContext& context, const CommandArgs& args)
{
    if (!args.empty())
    {
        std::fprintf(stderr, "moxa-cli: install-update takes no arguments\n");
        return 2;
    }
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
