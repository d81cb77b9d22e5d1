// LoadCache over both cache files: the input is "config.dat", a separator line, then
// "formicons.dat".
#include "FuzzSupport.h"
#include "base/Settings.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [config, icons] = Fuzz::SplitInput(Fuzz::Bytes(data, size));
    const std::filesystem::path folder = Fuzz::ScratchFolder() / "Cache";
    Fuzz::WriteBytes(folder / "config.dat", config);
    Fuzz::WriteBytes(folder / "formicons.dat", icons);

    CSettings settings;
    CGameDatabase db;
    CIconManager store;
    db.icons = &store;
    if (LoadCache(db, store, folder, settings))
    {
        db.BuildCategoryLists();
        db.RebuildIndexes();
        for (const auto& set : db.formulaSets)
            for (const auto& formula : set->formulae)
                for (const auto& tier : formula->tiers)
                    for (const CResource& resource : tier->resources)
                        db.FindProducingTier(resource.name);
        std::string text;
        if (FormatCache(db, text))
        {
            CGameDatabase restored;
            Fuzz::Check(ParseCache(restored, text), "a restored cache is written back readable");
        }
    }
    // The text alone, appended to what a failed load left.
    CGameDatabase partial;
    ParseCache(partial, config);
    return 0;
}
