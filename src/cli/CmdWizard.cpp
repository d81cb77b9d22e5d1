// "wizard": an order made from a wizard template without windows.
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/OrderWizard.h"
#include "cli/Commands.h"
#include "cli/ReportArgs.h"
#include "platform/QtImageDecoder.h"
#include "session/Session.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace
{
int Usage(const std::string& message)
{
    std::fprintf(stderr, "moxa-cli: %s\n", message.c_str());
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "moxa-cli: %s\n", message.c_str());
    return 1;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text.empty() ? "none" : text;
}

// A template by its name ("Bladesmith (Craft)") or its school alone, ignoring case.
std::vector<const CWizardTemplate*> FindTemplates(const CGameDatabase& db, const std::string& name)
{
    std::vector<const CWizardTemplate*> exact;
    std::vector<const CWizardTemplate*> bySchool;
    for (const auto& wizard : db.wizards)
    {
        if (Lower(WizardTemplateName(*wizard)) == Lower(name))
            exact.push_back(wizard.get());
        else if (Lower(wizard->school) == Lower(name))
            bySchool.push_back(wizard.get());
    }
    return exact.empty() ? bySchool : exact;
}

int RunWizard(CCliContext& context, const CommandArgs& args)
{
    std::string templateName;
    std::string profileName;
    std::string race;
    std::string level;
    std::string appendTo;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        std::string* target = arg == "--template" ? &templateName
                              : arg == "--profile" ? &profileName
                              : arg == "--race"    ? &race
                              : arg == "--level"   ? &level
                              : arg == "--append"  ? &appendTo
                              : arg == "-o"        ? &output
                                                   : nullptr;
        if (!target || i + 1 >= args.size() || args[i + 1].empty())
            return Usage("wizard: bad or incomplete option '" + arg + "' (see moxa-cli --help)");
        *target = args[++i];
    }
    if (templateName.empty() || output.empty())
        return Usage("wizard needs --template NAME and -o FILE");
    if (profileName.empty() == (race.empty() || level.empty()) || (!profileName.empty() && !(race + level).empty()))
        return Usage("wizard needs either --profile SERVER:NAME or --race R with --level N");
    if (!level.empty() && (level.find_first_not_of("0123456789") != std::string::npos || level.size() > 3 ||
                           Atoi(level) < WizardMinLevel || Atoi(level) > WizardMaxLevel))
        return Usage(Format("wizard: --level takes a whole number from %d to %d, not '%s'", WizardMinLevel,
                            WizardMaxLevel, level.c_str()));

    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    session.LoadSettings();
    session.LoadDatabase();
    const CGameDatabase& db = session.Database();

    for (const CWizardFileProblem& problem :
         UnreadableWizardFiles(DataPaths::Join(session.DataFolder(), DataPaths::Wizards)))
        std::fprintf(stderr, "moxa-cli: %s\n",
                     Format(Messages::WizardFileProblem, problem.file.filename().c_str(), problem.reason.c_str()).c_str());

    std::vector<std::string> names;
    for (const auto& wizard : db.wizards)
        names.push_back(WizardTemplateName(*wizard));
    std::sort(names.begin(), names.end()); // the database has them in directory order
    const std::vector<const CWizardTemplate*> found = FindTemplates(db, templateName);
    if (found.empty())
        return Fail("no wizard template '" + templateName + "' (templates: " + Joined(names) + ")");
    if (found.size() > 1)
    {
        std::vector<std::string> which;
        for (const CWizardTemplate* wizard : found)
            which.push_back(WizardTemplateName(*wizard));
        return Fail("the template name '" + templateName + "' is ambiguous: " + Joined(which));
    }
    const CWizardTemplate& wizard = *found.front();
    const std::string name = WizardTemplateName(wizard);

    CWizardWho who;
    if (!profileName.empty())
    {
        const std::size_t colon = profileName.find(':');
        const std::string server = colon == std::string::npos ? std::string() : profileName.substr(0, colon);
        const std::string person = colon == std::string::npos ? profileName : profileName.substr(colon + 1);
        for (const auto& profile : session.Profiles().profiles)
            if (profile->name == person && profile->server == server)
            {
                who.profile = profile.get();
                break;
            }
        if (!who.profile)
            return Fail("no profile '" + profileName + "'");
    }
    else
    {
        who.race = race;
        who.level = Atoi(level);
        if (!wizard.races.empty() && std::find(wizard.races.begin(), wizard.races.end(), race) == wizard.races.end())
            return Fail("the template '" + name + "' is not for the race '" + race + "' (races: " +
                        Joined(wizard.races) + ")");
    }
    const std::optional<CTierRange> range = WorkableTiers(who, wizard);
    if (!range)
        return Fail("the profile '" + profileName + "' has no " + wizard.type + " level in '" + wizard.school + "'");

    const CWizardPlan plan = DefaultWizardPlan(db, wizard, *range);
    for (const std::string& problem : plan.problems)
        std::fprintf(stderr, "moxa-cli: %s\n", problem.c_str());
    if (WizardItems(plan).empty())
        return Fail(Format(Messages::WizardNothing, name.c_str(), TierRangeText(*range).c_str()));

    COrder& order = session.Order();
    if (!appendTo.empty())
    {
        // Nothing is added to what a damaged file left: the rest of it would be lost.
        const COrderRead read = order.ReadFile(appendTo == "-" ? std::string("/dev/stdin") : appendTo, db);
        if (read.status == EOrderRead::Unsupported)
            return Fail(OrderReadMessage(read, appendTo) + " ('" + appendTo + "')");
        if (read.status != EOrderRead::Read)
            return Fail(OrderReadMessage(read, appendTo));
    }
    const int added = ApplyWizard(order, plan, appendTo.empty());
    if (output == "-")
    {
        // The summary goes to standard error, out of the order's way.
        if (!WriteOutput(order.FileText(db), "-"))
            return 1;
        std::fprintf(stderr, "%s: %d items at %s written to standard output\n", name.c_str(), added,
                     TierRangeText(*range).c_str());
        return 0;
    }
    switch (order.Save(output, db))
    {
    case EOrderSave::Saved:
        break;
    case EOrderSave::ChangedOnDisk:
        return Fail("'" + output + "' has changed on disk since it was read; not saved");
    case EOrderSave::Failed:
        return Fail("cannot write '" + output + "': " + order.SaveFailure());
    }
    std::printf("%s: %d items at %s written to %s\n", name.c_str(), added, TierRangeText(*range).c_str(),
                output.c_str());
    return 0;
}

// The shared parser checks the options; the checks that need them together stay above.
int CmdWizard(CCliContext& context, const CParsedArgs& parsed)
{
    CommandArgs args;
    for (const char* option : {"--template", "--profile", "--race", "--level", "--append", "-o"})
        for (const std::string& value : parsed.Values(option))
            args.insert(args.end(), {option, value});
    return RunWizard(context, args);
}
} // namespace

const CCommandSpec WizardCommand = {
    .name = "wizard",
    .operands = "",
    .summary = "Make an order from a wizard template.",
    .details = "Give either --profile or both --race and --level.",
    .options = {{"--template", "NAME", "the template, by name or school (ignoring case)"},
                {"--profile", "SERVER:NAME", "plan for this profile's levels"},
                {"--race", "RACE", "plan for this race (with --level)"},
                {"--level", "N", "plan for this level (with --race)"},
                {"--append", "ORDER.xml", "add to this order instead of starting an empty one ('-': standard input)"},
                {"-o", "FILE", "write the order to FILE (- for standard output)"}},
    .minOperands = 0,
    .maxOperands = 0,
    .exitCodes = "  0  the order was written\n"
                 "  1  no such template or profile, nothing to make, or a file cannot be read or written\n"
                 "  2  bad usage",
    .run = CmdWizard,
};
