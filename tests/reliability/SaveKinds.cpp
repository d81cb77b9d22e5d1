#include "SaveKinds.h"

#include "base/AtomicFile.h"
#include "base/Settings.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "order/HtmlExport.h"
#include "order/Order.h"
#include "order/Report.h"
#include "platform/QtSettingsStore.h"
#include "profile/ProfileFile.h"
#include "session/LoadDatabase.h"
#include "update/DownloadFile.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace fs = std::filesystem;

namespace
{
// How many records each version holds.
int Size(int version)
{
    return version == 0 ? 4 : version == 1 ? 9 : 4000;
}

bool SaveOrder(const fs::path& data, int version)
{
    CGameDatabase db;
    COrder order;
    order.AddGroup("Forge");
    for (int i = 0; i < Size(version); ++i)
    {
        auto item = std::make_unique<COrderItem>();
        item->itemName = "Ash Bar " + std::to_string(i) + " v" + std::to_string(version);
        item->formula = "Ash Bar";
        item->group = "Forge";
        item->tierName = "Tier I";
        item->batches = 1 + i;
        order.AddItem(std::move(item));
    }
    fs::create_directories(data / "Orders");
    return order.Write(data / "Orders/order.xml", db);
}

bool SaveProfile(const fs::path& data, int version)
{
    CProfile profile;
    profile.name = "Alice";
    profile.type = ProfileTypes::Local;
    profile.server = "Main v" + std::to_string(version);
    for (int i = 0; i < Size(version); ++i)
        profile.craftSkills.push_back({"Skill " + std::to_string(i), 10 * i + version});
    profile.changed = true;
    fs::create_directories(data / "Profiles");
    return WriteProfile(profile, data / "Profiles/Alice.xml");
}

bool SaveSettingsFile(const fs::path& data, int version)
{
    ::setenv("MOXA_SETTINGS", (data / "Moxa2.ini").c_str(), 1);
    std::unique_ptr<ISettingsStore> store = CreateUserSettingsStore();
    CSettings settings;
    settings.CurrentProfile = version == 2 ? std::string(200000, 'p') : "Profile v" + std::to_string(version);
    settings.StickyStrength = 10 + version;
    return SaveSettings(settings, *store);
}

bool SaveCache(const fs::path& data, int version)
{
    CGameDatabase db;
    for (int s = 0; s < Size(version); ++s)
    {
        auto set = std::make_unique<CFormulaSet>();
        set->name = "Bars " + std::to_string(s);
        set->category = "Smithing";
        auto formula = std::make_unique<CFormula>();
        formula->name = "Bar " + std::to_string(s) + " v" + std::to_string(version);
        formula->category = "Smithing";
        auto tier = std::make_unique<CFormulaTier>();
        tier->name = formula->name;
        tier->level = 1;
        tier->levelName = "Tier I";
        tier->resources.push_back({"Ore", "Smithing", 2, 1, 3, 20, 1});
        formula->tiers.push_back(std::move(tier));
        set->formulae.push_back(std::move(formula));
        db.Edit([&](CGameDatabase::CLists& lists) { lists.formulaSets.push_back(std::move(set)); });
    }
    CIconManager icons;
    CImage image;
    image.width = image.height = CIconManager::IconPixels;
    image.pixels.assign(CIconManager::IconPixels * CIconManager::IconPixels, 0xFF000000u + version);
    for (int i = 0; i < (version == 2 ? 200 : 1 + version); ++i)
        icons.AddIcon("icon" + std::to_string(i), image);
    return WriteCache(db, icons, data / "Cache");
}

bool SaveDownload(const fs::path& data, int version)
{
    const std::string body(version == 2 ? 300000 : 3000 + 5000 * version, static_cast<char>('a' + version));
    CDownloadFile file;
    if (!file.Open(data / "Temp/Moxa_2026-12-08.zip", 1 << 20) ||
        !file.SetExpected(static_cast<std::int64_t>(body.size())))
        return false;
    for (std::size_t at = 0; at < body.size(); at += 1024)
        if (!file.Append(std::string_view(body).substr(at, 1024)))
            return false;
    return file.Commit();
}

bool SaveHtml(const fs::path& data, int version)
{
    CReport report;
    report.content = ReportComponentsOnly;
    report.rows.emplace_back().kind = EReportRow::ComponentHeading;
    for (int i = 0; i < Size(version) * 5; ++i)
    {
        CReportRow row;
        row.kind = EReportRow::Component;
        row.name = "Ash Bar " + std::to_string(i);
        row.needed = i + version;
        report.rows.push_back(row);
    }
    fs::create_directories(data / "Temp");
    return ExportHtml(HtmlReportText(report), data / "Temp/order.htm");
}
} // namespace

const std::vector<CSaveKind>& SaveKinds()
{
    static const std::vector<CSaveKind> kinds = {
        {"order", {"Orders/order.xml"}, {"Orders"}, SaveOrder},
        {"profile", {"Profiles/Alice.xml"}, {"Profiles"}, SaveProfile},
        {"settings", {"Moxa2.ini"}, {""}, SaveSettingsFile},
        {"cache", {"Cache/formicons.dat", "Cache/config.dat", "Cache/config.sum"}, {"Cache"}, SaveCache},
        {"download", {"Temp/Moxa_2026-12-08.zip"}, {"Temp"}, SaveDownload},
        {"html", {"Temp/order.htm"}, {"Temp"}, SaveHtml},
    };
    return kinds;
}

const CSaveKind& SaveKindNamed(const std::string& name)
{
    for (const CSaveKind& kind : SaveKinds())
        if (kind.name == name)
            return kind;
    throw std::invalid_argument("no save kind " + name);
}

namespace
{
// Outside the cache a start keeps "NAME.backup" and "NAME.BACKUP" as a player's own copies;
// one killed save in 32 leaves a temporary name in one case that stays for that reason.
bool MayBeAPlayersCopy(const std::string& folder, const std::string& name, const std::vector<std::string>& targets)
{
    if (folder == "Cache")
        return false;
    for (const std::string& target : targets)
    {
        const std::string own = fs::path(target).filename().string();
        if (name.size() != own.size() + 7 || !name.starts_with(own + "."))
            continue;
        const std::string_view letters = std::string_view(name).substr(own.size() + 1);
        if (std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'a' && c <= 'z'; }) ||
            std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            return true;
    }
    return false;
}
} // namespace

std::vector<std::string> LeftoverFiles(const CSaveKind& kind, const fs::path& dataFolder)
{
    std::vector<std::string> found;
    for (const std::string& folder : kind.folders)
    {
        std::error_code ec;
        for (fs::directory_iterator it(dataFolder / folder, ec), end; !ec && it != end; it.increment(ec))
        {
            const std::string name = it->path().filename().string();
            bool isTarget = false;
            for (const std::string& target : kind.targets)
                isTarget = isTarget || fs::path(target).filename() == name;
            if (!isTarget && it->is_regular_file(ec) && !MayBeAPlayersCopy(folder, name, kind.targets))
                found.push_back((fs::path(folder) / name).generic_string());
        }
    }
    return found;
}

void TidyLikeStartup(const fs::path& dataFolder)
{
    // The program opens its settings first; the store tidies its own folder.
    ::setenv("MOXA_SETTINGS", (dataFolder / "Moxa2.ini").c_str(), 1);
    CreateUserSettingsStore();

    CSettings settings;
    settings.EnableCache = false;
    CGameDatabase db;
    CLoadContext context;
    context.dataFolder = dataFolder;
    context.settings = &settings;
    context.database = &db;
    context.freeSpace = [](const fs::path&) { return std::uintmax_t(1) << 40; };
    LoadDatabase(context);
}
