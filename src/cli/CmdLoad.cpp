// "load" and "formula": the database as the program loads it, for a person to check.
#include "base/DataPaths.h"
#include "cli/Commands.h"
#include "platform/QtImageDecoder.h"
#include "session/Session.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace
{
void PrintLine(const char* label, const std::string& value)
{
    std::printf("%s: %s\n", label, value.c_str());
}

void PrintCount(const char* label, std::size_t count)
{
    std::printf("%s: %zu\n", label, count);
}

const char* SourceName(ELoadSource source)
{
    switch (source)
    {
    case ELoadSource::Cache:
        return "cache";
    case ELoadSource::Xml:
        return "xml";
    case ELoadSource::Kept:
        return "kept";
    case ELoadSource::NoSpace:
    case ELoadSource::NoFormulae:
        break;
    }
    return "none";
}

void PrintKeywords(const char* indent, const std::vector<std::string>& keywords)
{
    for (const std::string& keyword : keywords)
        std::printf("%skeyword: %s\n", indent, keyword.c_str());
}

void PrintAttributes(const char* indent, const std::vector<CAttribute>& attributes)
{
    for (const CAttribute& a : attributes)
        std::printf("%sattribute: %s=%s\n", indent, a.key.c_str(), a.value.c_str());
}

void PrintFormula(const CFormulaSet& set, const CFormula& f)
{
    PrintLine("formula", f.name);
    PrintLine("set", set.name);
    PrintLine("category", f.category);
    std::printf("batch quantity: %d\nicon: %d\n", f.batchQty, f.iconIndex);
    PrintKeywords("", f.keywords);
    PrintAttributes("", f.attributes);
    for (const auto& tier : f.tiers)
    {
        const CFormulaTier& t = *tier;
        PrintLine("tier", t.name);
        std::printf(
            "  level: %d\n  level name: %s\n  batch quantity: %d\n  allowed techniques: %d\n",
            t.level, t.levelName.c_str(), t.batchQty, t.allowedTechniques);
        std::printf("  description: %s\n", t.description.c_str());
        PrintKeywords("  ", t.keywords);
        PrintAttributes("  ", t.attributes);
        for (const CResource& r : t.resources)
            std::printf(
                "  resource: %s; skill=%s; units=%d; min skill=%d; qty at min=%d; opt skill=%d; "
                "qty at opt=%d\n",
                r.name.c_str(), r.skill.c_str(), r.units, r.minSkill, r.qtyAtMin, r.optSkill,
                r.qtyAtOpt);
    }
}

// The settings of the user's store, then the database; nothing is saved afterwards.
ELoadSource LoadSession(CSession& session, bool rebuild)
{
    session.LoadSettings();
    return session.LoadDatabase(rebuild);
}

int CmdLoad(CCliContext& context, const CParsedArgs& parsed)
{
    const bool rebuild = parsed.Has("--rebuild");
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    const auto start = std::chrono::steady_clock::now();
    const ELoadSource source = LoadSession(session, rebuild);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    CGameDatabase& db = session.Database();
    PrintCount("formula sets", db.FormulaSets().size());
    PrintCount("formulae", db.FormulaCount());
    PrintCount("tiers", db.FormulaTierCount());
    PrintCount("resources", db.ResourceCount());
    PrintCount("technique sets", db.TechniqueSets().size());
    PrintCount("techniques", db.TechniqueCount());
    PrintCount("technique tiers", db.TechniqueTierCount());
    PrintCount("components", db.Components().size());
    PrintCount("wizard templates", db.wizards.size());
    PrintCount("profiles", session.Profiles().profiles.size());
    PrintCount("help pages", db.HelpPages.size());
    PrintCount("icons", static_cast<std::size_t>(session.Icons().Count()));
    std::printf("source: %s\n", SourceName(source));
    std::printf("time: %.1f ms\n", ms);
    // A rebuild asked for and not done is a failure, even with the old database kept.
    return source == ELoadSource::Cache || source == ELoadSource::Xml ? 0 : 1;
}

int CmdFormula(CCliContext& context, const CParsedArgs& parsed)
{
    const std::vector<std::string>& args = parsed.Operands();
    // Names hold spaces; unquoted words are taken together.
    std::string name = args.front();
    for (std::size_t i = 1; i < args.size(); ++i)
        name += " " + args[i];

    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    LoadSession(session, false);
    for (const auto& set : session.Database().FormulaSets())
        for (const auto& formula : set->formulae)
            if (formula->name == name)
            {
                PrintFormula(*set, *formula);
                return 0;
            }
    std::fprintf(stderr, "moxa-cli: no formula named '%s'\n", name.c_str());
    return 1;
}
} // namespace

const CCommandSpec LoadCommand = {
    .name = "load",
    .summary = "Load the database as the program does at start and print its counts.",
    .details = "Loads from the cache when it is valid, else from XML (writing the cache), and prints\n"
               "one 'label: count' line per kind of record, then 'source:' and 'time:'.",
    .options = {{"--rebuild", "", "read the XML even when the cache is valid (kept when there is no formula file)"}},
    .exitCodes = "  0  loaded\n  1  the database could not be rebuilt: no space, or no formula file\n  2  bad usage",
    .run = CmdLoad,
};

const CCommandSpec FormulaCommand = {
    .name = "formula",
    .operands = "NAME",
    .summary = "Print the first formula of that name as it was read (words are joined with spaces).",
    .minOperands = 1,
    .maxOperands = CCommandSpec::Unlimited,
    .exitCodes = "  0  printed\n  1  no formula of that name\n  2  bad usage",
    .run = CmdFormula,
};
