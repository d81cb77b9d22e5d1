// moxa-cli: the program's core on the command line.
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "platform/QtSettingsStore.h"
#include "session/DataFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <system_error>

namespace
{
// Every command, in the order of the help; a new command is listed here.
const CCommandSpec* const Commands[] = {
    &VersionCommand, &UpdateCommand,  &SettingsCommand, &InstallUpdateCommand, &LoadCommand,
    &FormulaCommand, &ReportCommand,  &PlanCommand,     &CompareCommand,       &ProfitCommand,
    &OrderCommand,   &WizardCommand,  &GenerateCommand,
};

const CCommandSpec* FindCommand(const std::string& name)
{
    for (const CCommandSpec* command : Commands)
        if (command->name == name)
            return command;
    return nullptr;
}

void PrintHelp(std::FILE* out)
{
    std::fprintf(out, "Usage: moxa-cli [--data-dir DIR] [--yes] COMMAND [OPTIONS] [ARGS]\n"
                      "       moxa-cli COMMAND --help\n\n"
                      "Options:\n"
                      "  --data-dir DIR   the data folder (default: the current directory when it holds\n"
                      "                   Config/, else the per-user folder $XDG_DATA_HOME/moxa)\n"
                      "  --yes            answer every question with yes (default: no)\n"
                      "  -V, --version    print the version\n"
                      "  -h, --help       print this help\n\n"
                      "Commands:\n");
    for (const CCommandSpec* command : Commands)
        std::fprintf(out, "  %-15s %s\n", command->name.c_str(), command->summary.c_str());
    std::fprintf(out, "\nExit status: 0 success, 1 failure, 2 bad usage (see each command's --help).\n"
                      "Settings are kept in the file named by MOXA_SETTINGS, else in\n"
                      "$XDG_CONFIG_HOME/Moxa/Moxa2.ini (~/.config/Moxa/Moxa2.ini). See moxa-cli(1).\n");
}

// The data folder of a command that uses one; false (after saying why) when there is none.
bool ChooseFolder(CCliContext& context)
{
    const CDataFolderChoice choice = ChooseDataFolder(DataFolderRequestFromEnvironment(context.namedDataFolder));
    if (choice.source == EDataFolderSource::None)
    {
        std::fprintf(stderr, "moxa-cli: %s\n", choice.error.c_str());
        return false;
    }
    if (choice.source == EDataFolderSource::PerUserSeeded)
        std::fprintf(stderr, "moxa-cli: %s%s%s\n", std::string(Messages::Seeded1).c_str(),
                     choice.folder.c_str(), std::string(Messages::Seeded2).c_str());
    context.dataFolder = choice.folder;
    return true;
}
} // namespace

namespace
{
// Everything a command printed must reach its reader: a full disk or a closed pipe behind
// standard output is a failure, not a success that printed nothing.
int FinishOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    if (status == 0)
        std::fprintf(stderr, "moxa-cli: write error: %s\n", std::strerror(errno ? errno : EIO));
    return status == 0 ? 1 : status;
}

int Run(int argc, char** argv)
{
    CCliContext context;
    CommandArgs rest;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (rest.empty() && (arg == "--data-dir" || arg.starts_with("--data-dir=")))
        {
            if (arg == "--data-dir" && i + 1 >= argc)
                return UsageError("--data-dir needs a folder");
            const std::string folder = arg == "--data-dir" ? argv[++i] : arg.substr(arg.find('=') + 1);
            if (folder.empty())
                return UsageError("--data-dir needs a folder");
            context.namedDataFolder = folder;
        }
        else if (arg == "--yes")
            context.yes = true;
        else if (rest.empty() && (arg == "-h" || arg == "--help"))
        {
            PrintHelp(stdout);
            return 0;
        }
        else if (rest.empty() && (arg == "--version" || arg == "-V"))
            return VersionCommand.run(context, {});
        else if (rest.empty() && !arg.empty() && arg[0] == '-')
            return UsageError("unknown option '" + arg + "' (see moxa-cli --help)");
        else
            rest.push_back(arg);
    }
    if (rest.empty())
    {
        PrintHelp(stderr);
        return 2;
    }
    std::string name = rest.front();
    rest.erase(rest.begin());
    // "help COMMAND" is "COMMAND --help".
    if (name == "help")
    {
        if (rest.empty())
        {
            PrintHelp(stdout);
            return 0;
        }
        name = rest.front();
        rest = {"--help"};
    }
    const CCommandSpec* command = FindCommand(name);
    if (!command)
        return UsageError("unknown command '" + name + "' (see moxa-cli --help)");
    CParsedArgs parsed;
    std::string error;
    switch (ParseCommandArgs(*command, rest, parsed, error))
    {
    case EParse::Help:
        PrintCommandHelp(*command, stdout);
        return 0;
    case EParse::Error:
        return UsageError(error);
    case EParse::Run:
        break;
    }
    if (command->needsDataFolder)
    {
        if (!ChooseFolder(context))
            return 1;
    }
    else
    {
        std::error_code ec;
        context.dataFolder = std::filesystem::absolute(context.namedDataFolder.value_or("."), ec).lexically_normal();
    }
    context.store = CreateUserSettingsStore();
    context.prompter = std::make_unique<CCliPrompter>(context.yes);
    return command->run(context, parsed);
}
} // namespace

int main(int argc, char** argv)
{
    return FinishOutput(Run(argc, argv));
}
