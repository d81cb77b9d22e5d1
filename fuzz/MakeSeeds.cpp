// Writes the seeds that are easier made by the program than by hand: a cache, an order,
// report grids and update archives, all from the test database. Usage: make_seeds FOLDER
#include "FuzzSupport.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "order/Order.h"
#include "support/TestZip.h"

#include <iostream>

namespace fs = std::filesystem;

namespace
{
std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void ReadDatabase(CGameDatabase& db)
{
    db.ReadCategories(Fuzz::BaseData("Config/Categories.xml"));
    for (const char* file : {"Config/Crafts/bars.xml", "Config/Crafts/Armorer/helms.xml",
                             "Config/Crafts/Armorer/more helms.xml"})
        if (auto set = db.ReadFormulaSetFile(Fuzz::BaseData(file)))
            db.AddFormulaSet(std::move(set));
    for (const char* file : {"Config/Techs/fire.xml", "Config/Techs/fire2.xml"})
        if (auto set = db.ReadTechniqueSetFile(Fuzz::BaseData(file)))
            db.AddTechniqueSet(std::move(set));
    db.ReadComponents(Fuzz::BaseData("Config/Components/Components.xml"));
    if (auto wizard = db.ReadWizardFile(Fuzz::BaseData("Config/Wizards/pyro.xml")))
        db.wizards.push_back(std::move(wizard));
    db.BuildCategoryLists();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: make_seeds FOLDER\n";
        return 2;
    }
    const fs::path out = argv[1];
    CGameDatabase db;
    ReadDatabase(db);

    // Cache: config.dat, the separator, formicons.dat (empty and with one icon).
    std::string cache;
    if (!FormatCache(db, cache))
        return 1;
    CIconManager icons;
    icons.WriteIcons(Fuzz::ScratchFolder() / "none.dat");
    CImage image;
    image.width = image.height = CIconManager::IconPixels;
    image.pixels.assign(CIconManager::IconPixels * CIconManager::IconPixels, 0xFF336699u);
    CIconManager one;
    one.AddIcon("bar", image);
    one.WriteIcons(Fuzz::ScratchFolder() / "one.dat");
    const std::string split = "\n--moxa-fuzz-split--\n";
    Fuzz::WriteBytes(out / "cache/basic-no-icons", cache + split + ReadAll(Fuzz::ScratchFolder() / "none.dat"));
    Fuzz::WriteBytes(out / "cache/basic-one-icon", cache + split + ReadAll(Fuzz::ScratchFolder() / "one.dat"));

    // An order of every formula's first tier, grouped, with a technique and an acquired count.
    COrder order;
    order.AddGroup("Smithy");
    for (const auto& set : db.FormulaSets())
        for (const auto& formula : set->formulae)
        {
            if (formula->tiers.empty())
                continue;
            auto item = std::make_unique<COrderItem>();
            item->itemName = formula->name;
            item->formula = formula->name;
            item->group = "Smithy";
            item->tierName = formula->tiers.front()->levelName;
            item->batches = 3;
            if (!db.TechniqueSets().empty() && !db.TechniqueSets().front()->techniques.empty())
            {
                const auto& technique = *db.TechniqueSets().front()->techniques.front();
                COrderTechnique applied;
                applied.name = technique.name;
                if (!technique.tiers.empty())
                    applied.tierName = technique.tiers.front()->name;
                item->techniques.push_back(applied);
            }
            order.AddItem(std::move(item));
        }
    for (const auto& component : db.Components())
        order.acquired[component->name] = "2";
    fs::create_directories(out / "order");
    if (!order.Write(out / "order/basic.xml", db))
        return 1;


    // Update archives: a good one and a few that must be refused.
    fs::create_directories(out / "archive");
    const std::string categories = ReadAll(Fuzz::BaseData("Config/Categories.xml"));
    WriteTestZip(out / "archive/good.zip", {{"Categories.xml", categories},
                                            {"Crafts/", "", CZipEntry::EKind::Folder},
                                            {"Crafts/bars.xml", ReadAll(Fuzz::BaseData("Config/Crafts/bars.xml"))},
                                            {"readme.txt", "not kept"}});
    WriteTestZip(out / "archive/dotdot.zip", {{"../escape.xml", "x"}});
    WriteTestZip(out / "archive/absolute.zip", {{"/tmp/moxa-fuzz-absolute.xml", "x"}});
    WriteTestZip(out / "archive/link.zip", {{"Categories.xml", "x"}, {"up", "..", CZipEntry::EKind::Symlink}});
    WriteTestZip(out / "archive/duplicate.zip", {{"a.xml", "1"}, {"a.xml", "2"}, {"a.xml/b.xml", "3"}});
    return 0;
}
