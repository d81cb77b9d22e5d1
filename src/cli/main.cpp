// moxa-cli: the program's core on the command line.
#include "cli/Commands.h"
#include "platform/QtSettingsStore.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace
{
struct CCommand
{
    const char* name;
    const char* usage;
    int (*run)(CCliContext&, const CommandArgs&);
};

const CCommand Commands[] = {
    {"version", "version                      print the program's version", CmdVersion},
    {"update", "update [--server NAME] [--check-only]\n"
               "                               check an update server for a newer database and install it",
     CmdUpdate},
    {"settings", "settings [NAME [VALUE]]      print every setting as Name=value, print one, or store one",
     CmdSettings},
    {"install-update", "install-update               install the update archive waiting in Temp (Moxa_*.zip);\n"
                       "                               exit status 1 when it was refused, 3 when several wait",
     CmdInstallUpdate},
    {"load", "load [--rebuild]             load the database (--rebuild: from XML), print its counts", CmdLoad},
    {"formula", "formula NAME                 print a formula's record as it was read", CmdFormula},
    {"report", "report ORDER.xml [OPTIONS]   print an order's report (--content, --breakdown, --sort,\n"
               "                               --bonuses, --profile S:N, --no-profile, --select NAME,\n"
               "                               --format grid|clipboard|html|csv|json, --open, -o FILE)", CmdReport},
    {"plan", "plan ORDER.xml [OPTIONS]     what is left to make and gather once the acquired counts are\n"
             "                               taken off (--profile S:N, --no-profile, --select NAME,\n"
             "                               --by-location, --format grid|csv|json, -o FILE)", CmdPlan},
    {"compare", "compare ORDER.xml [OPTIONS]  the plan's gathering under each character, side by side\n"
                "                               (--profile S:N, repeatable; default every profile but the\n"
                "                               template; --select NAME, --format grid|csv|json, -o FILE)", CmdCompare},
    {"order", "order ORDER.xml [--save-as FILE] [--add-list FILE|- [--group NAME]]\n"
              "                               print an order; --save-as writes it back; --add-list adds the\n"
              "                               items a list names (one a line) and saves the order",
     CmdOrder},
    {"wizard", "wizard --template NAME (--profile SERVER:NAME | --race R --level N) [--append ORDER.xml] -o FILE\n"
               "                               make an order from a wizard template", CmdWizard},
    {"generate", "generate --size MB [--seed S] DIR  write a synthetic data folder of about MB megabytes of XML",
     CmdGenerate},
};

void PrintHelp(std::FILE* out)
{
    std::fprintf(out, "Usage: moxa-cli [--data-dir DIR] [--yes] COMMAND [ARGS]\n\n"
                      "  --data-dir DIR   the data folder (default: the current directory)\n"
                      "  --yes            answer every question with yes (default: no)\n\n"
                      "Commands:\n");
    for (const CCommand& command : Commands)
        std::fprintf(out, "  %s\n", command.usage);
    std::fprintf(out, "\nSettings are kept in the file named by MOXA_SETTINGS, else in the\n"
                      "per-user configuration folder (~/.config/Moxa/Moxa2.ini).\n");
}
} // namespace

int main(int argc, char** argv)
{
    CCliContext context;
    std::error_code ec;
    context.dataFolder = std::filesystem::current_path(ec);
    CommandArgs rest;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (rest.empty() && arg == "--data-dir")
        {
            if (i + 1 >= argc)
            {
                std::fprintf(stderr, "moxa-cli: --data-dir needs a folder\n");
                return 2;
            }
            context.dataFolder = std::filesystem::absolute(argv[++i], ec);
        }
        else if (arg == "--yes")
            context.yes = true;
        else if (rest.empty() && (arg == "-h" || arg == "--help" || arg == "help"))
        {
            PrintHelp(stdout);
            return 0;
        }
        else
            rest.push_back(arg);
    }
    if (rest.empty())
    {
        PrintHelp(stderr);
        return 2;
    }
    context.store = CreateUserSettingsStore();
    context.prompter = std::make_unique<CCliPrompter>(context.yes);
    const std::string name = rest.front();
    rest.erase(rest.begin());
    for (const CCommand& command : Commands)
        if (name == command.name)
            return command.run(context, rest);
    std::fprintf(stderr, "moxa-cli: unknown command '%s' (try moxa-cli --help)\n", name.c_str());
    return 2;
}
