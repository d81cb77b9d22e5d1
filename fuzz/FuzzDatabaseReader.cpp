// One database reader over one fuzzed file, chosen at build time by MOXA_FUZZ_READER.
// After the read the database must look itself up, cache and restore without trouble.
#include "FuzzSupport.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"

#include <vector>

#define READER_CATEGORIES 1
#define READER_COMPONENTS 2
#define READER_FORMULA_FILE 3
#define READER_FORMULA_OVERLAY 4
#define READER_TECHNIQUE_FILE 5
#define READER_TECHNIQUE_OVERLAY 6
#define READER_HELP_PAGES 7
#define READER_WIZARD_FILE 8

namespace
{
// The overlays amend what the files read before them made: start from the test database.
void ReadBase(CGameDatabase& db)
{
    for (const char* file : {"Config/Crafts/bars.xml", "Config/Crafts/Armorer/helms.xml",
                             "Config/Crafts/Armorer/more helms.xml"})
        if (auto set = db.ReadFormulaSetFile(Fuzz::BaseData(file)))
            db.AddFormulaSet(std::move(set));
    for (const char* file : {"Config/Techs/fire.xml", "Config/Techs/fire2.xml"})
        if (auto set = db.ReadTechniqueSetFile(Fuzz::BaseData(file)))
            db.TechniqueSets().push_back(std::move(set));
}

void Exercise(CGameDatabase& db)
{
    db.BuildCategoryLists();
    db.RebuildIndexes();
    for (const auto& set : db.FormulaSets())
        for (const auto& formula : set->formulae)
        {
            Fuzz::Check(db.FindFormula("All", formula->name) != nullptr, "every formula is found");
            for (const auto& tier : formula->tiers)
            {
                CGameDatabase::FindFormulaTier(*formula, tier->name);
                for (const CResource& resource : tier->resources)
                {
                    db.FindProducingTier(resource.name);
                    db.UsesResource(tier->name, resource.name);
                }
            }
        }
    for (const auto& set : db.TechniqueSets())
        for (const auto& technique : set->techniques)
            Fuzz::Check(db.FindTechnique("All", technique->name) != nullptr, "every technique is found");
    for (const auto& component : db.Components())
        Fuzz::Check(db.FindComponent(component->name) != nullptr, "every component is found");

    // What can be cached reads back as the same text.
    std::string text;
    if (FormatCache(db, text))
    {
        CGameDatabase restored;
        Fuzz::Check(ParseCache(restored, text), "a written cache reads back");
        std::string again;
        Fuzz::Check(FormatCache(restored, again) && again == text, "the cache reads back unchanged");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = Fuzz::ScratchFile("input.xml", Fuzz::Bytes(data, size));
    CGameDatabase db;
#if MOXA_FUZZ_READER == READER_CATEGORIES
    db.ReadCategories(path);
#elif MOXA_FUZZ_READER == READER_COMPONENTS
    db.ReadComponents(path);
#elif MOXA_FUZZ_READER == READER_FORMULA_FILE
    if (auto set = db.ReadFormulaSetFile(path))
    {
        db.AddFormulaSet(std::move(set));
        // The same file twice merges into the first set.
        if (auto again = db.ReadFormulaSetFile(path))
            db.AddFormulaSet(std::move(again));
    }
#elif MOXA_FUZZ_READER == READER_FORMULA_OVERLAY
    ReadBase(db);
    db.ReadFormulaOverlay(path);
#elif MOXA_FUZZ_READER == READER_TECHNIQUE_FILE
    if (auto set = db.ReadTechniqueSetFile(path))
        db.TechniqueSets().push_back(std::move(set));
#elif MOXA_FUZZ_READER == READER_TECHNIQUE_OVERLAY
    ReadBase(db);
    db.ReadTechniqueOverlay(path);
#elif MOXA_FUZZ_READER == READER_HELP_PAGES
    db.ReadHelpPages(path);
#elif MOXA_FUZZ_READER == READER_WIZARD_FILE
    if (auto wizard = db.ReadWizardFile(path))
        db.wizards.push_back(std::move(wizard));
#else
#error "MOXA_FUZZ_READER names no reader"
#endif
    Exercise(db);
    return 0;
}
