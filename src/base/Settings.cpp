#include "base/Settings.h"

#include "base/DataPaths.h"
#include "base/NumberText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace
{
// One row of the table with the member it is kept in (exactly one pointer is set).
struct CSettingRow
{
    std::string_view name;
    ESettingType type;
    std::string CSettings::*text = nullptr;
    int CSettings::*integer = nullptr;
    bool CSettings::*boolean = nullptr;
};

CSettingRow Text(std::string_view name, std::string CSettings::*member)
{
    return {name, ESettingType::Text, member, nullptr, nullptr};
}
CSettingRow Integer(std::string_view name, int CSettings::*member)
{
    return {name, ESettingType::Integer, nullptr, member, nullptr};
}
CSettingRow Boolean(std::string_view name, bool CSettings::*member)
{
    return {name, ESettingType::Boolean, nullptr, nullptr, member};
}

// The save order of the settings.
const std::vector<CSettingRow>& Rows()
{
    static const std::vector<CSettingRow> rows = {
        Text("GameBasePath", &CSettings::GameBasePath),
        Text("CurrentProfile", &CSettings::CurrentProfile),
        Text("CurrentProfileType", &CSettings::CurrentProfileType),
        Text("LastFormulaCategory", &CSettings::LastFormulaCategory),
        Text("LastTechCategory", &CSettings::LastTechCategory),
        Text("DatabaseRevision", &CSettings::DatabaseRevision),
        Text("CurrentTheme", &CSettings::CurrentTheme),
        Integer("ItemResourceSize", &CSettings::ItemResourceSize),
        Integer("ShowResourceMode", &CSettings::ShowResourceMode),
        Integer("ShowReportMode", &CSettings::ShowReportMode),
        Integer("ExpandFormulaMode", &CSettings::ExpandFormulaMode),
        Integer("ExpandTechMode", &CSettings::ExpandTechMode),
        Integer("IconSize", &CSettings::IconSize),
        Integer("ReportType", &CSettings::ReportType),
        Integer("ShowReportResourceMode", &CSettings::ShowReportResourceMode),
        Integer("ShowReportBonusMode", &CSettings::ShowReportBonusMode),
        Integer("StickyStrength", &CSettings::StickyStrength),
        Boolean("ShowUsableTechs", &CSettings::ShowUsableTechs),
        Boolean("EnableCache", &CSettings::EnableCache),
        Boolean("EnableIcons", &CSettings::EnableIcons),
        Boolean("DockingMode", &CSettings::DockingMode),
        Boolean("GlobalHotkeys", &CSettings::GlobalHotkeys),
        Boolean("DragWithToolbar", &CSettings::DragWithToolbar),
        Boolean("VerticalToolbar", &CSettings::VerticalToolbar),
        Boolean("AutoShrink", &CSettings::AutoShrink),
        Boolean("HighPriority", &CSettings::HighPriority),
    };
    return rows;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const CSettingRow* FindRow(std::string_view name)
{
    for (const CSettingRow& row : Rows())
        if (SameName(row.name, name))
            return &row;
    return nullptr;
}

std::string Encode(const CSettings& settings, const CSettingRow& row)
{
    switch (row.type)
    {
    case ESettingType::Text:
        return settings.*row.text;
    case ESettingType::Integer:
        return Format("%d", settings.*row.integer);
    case ESettingType::Boolean:
        return BoolText(settings.*row.boolean);
    }
    return {};
}

void Decode(CSettings& settings, const CSettingRow& row, std::string_view text)
{
    switch (row.type)
    {
    case ESettingType::Text:
        settings.*row.text = std::string(text);
        break;
    case ESettingType::Integer:
        settings.*row.integer = Atoi(text);
        break;
    case ESettingType::Boolean:
        settings.*row.boolean = TextBool(text);
        break;
    }
}
} // namespace

const std::vector<CSettingInfo>& SettingsTable()
{
    static const std::vector<CSettingInfo> table = [] {
        std::vector<CSettingInfo> out;
        for (const CSettingRow& row : Rows())
            out.push_back({row.name, row.type});
        return out;
    }();
    return table;
}

std::string_view CanonicalSettingName(std::string_view name)
{
    const CSettingRow* row = FindRow(name);
    return row ? row->name : std::string_view();
}

std::string SettingText(const CSettings& settings, std::string_view name)
{
    const CSettingRow* row = FindRow(name);
    return row ? Encode(settings, *row) : std::string();
}

bool SetSettingText(CSettings& settings, std::string_view name, std::string_view text)
{
    const CSettingRow* row = FindRow(name);
    if (!row)
        return false;
    Decode(settings, *row, text);
    return true;
}

void LoadSettings(CSettings& settings, const ISettingsStore& store, const std::string& dataFolder,
                  const std::string& gameFolder)
{
    settings.GameBasePath = gameFolder;
    for (const CSettingRow& row : Rows())
        if (const std::optional<std::string> stored = store.Read(SettingsKeys::Config, row.name))
            Decode(settings, row, *stored);
    if (settings.GameBasePath.empty())
        settings.GameBasePath = std::string(PleaseSetManually);
    settings.RecentOrders.clear();
    settings.StoredTexts.clear();
    for (std::size_t i = 1; i <= MaxRecentOrders; ++i)
    {
        const std::string name = std::string(RecentOrderName) + std::to_string(i);
        const auto path = store.Read(SettingsKeys::Config, name);
        settings.StoredTexts[name] = path.value_or(std::string());
        if (path && !path->empty() &&
            std::find(settings.RecentOrders.begin(), settings.RecentOrders.end(), *path) == settings.RecentOrders.end())
            settings.RecentOrders.push_back(*path);
    }
    for (const CSettingRow& row : Rows())
        settings.StoredTexts[std::string(row.name)] = Encode(settings, row);

    const std::filesystem::path data(dataFolder);
    settings.OrdersFolder = DataPaths::Join(data, DataPaths::Orders).string();
    settings.ProfilesFolder = DataPaths::Join(data, DataPaths::Profiles).string();
    settings.TempFolder = DataPaths::Join(data, DataPaths::Temp).string();
    // The thread priority that HighPriority asks for is the windows' business: the core
    // runs no event loop of its own.
}

std::string ReadGameFolder(const ISettingsStore& store)
{
    return store.Read(SettingsKeys::Game, "").value_or(std::string());
}

bool SaveSettings(CSettings& settings, ISettingsStore& store)
{
    bool ok = true;
    std::map<std::string, std::string, std::less<>> written;
    const auto write = [&](std::string_view name, const std::string& text)
    {
        const auto stored = settings.StoredTexts.find(name);
        if (stored != settings.StoredTexts.end() && stored->second == text)
            return;
        ok = store.Write(SettingsKeys::Config, name, text) && ok;
        written[std::string(name)] = text;
    };
    for (const CSettingRow& row : Rows())
        write(row.name, Encode(settings, row));
    for (std::size_t i = 0; i < MaxRecentOrders; ++i)
    {
        const std::string name = std::string(RecentOrderName) + std::to_string(i + 1);
        if (i < settings.RecentOrders.size())
            write(name, settings.RecentOrders[i]);
        else if (settings.StoredTexts.count(name))
            write(name, "");
        // Never loaded: entries past the list's end are emptied only where they hold something.
        else if (const auto stored = store.Read(SettingsKeys::Config, name); stored && !stored->empty())
            write(name, "");
    }
    if (!store.Flush() || !ok)
        return false;
    for (auto& [name, text] : written)
        settings.StoredTexts[name] = std::move(text);
    return true;
}

void AddRecentOrder(CSettings& settings, const std::string& path)
{
    auto& list = settings.RecentOrders;
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > MaxRecentOrders)
        list.resize(MaxRecentOrders);
}

std::vector<std::string> DropMissingRecentOrders(CSettings& settings)
{
    std::vector<std::string> dropped;
    std::erase_if(settings.RecentOrders,
                  [&](const std::string& path)
                  {
                      std::error_code error;
                      if (std::filesystem::is_regular_file(path, error))
                          return false;
                      dropped.push_back(path);
                      return true;
                  });
    return dropped;
}

std::string FormulaCategoryShown(std::string_view stored)
{
    if (stored.empty() || stored == "Custom")
        return "All";
    return std::string(stored);
}

std::string TechCategoryShown(std::string_view stored)
{
    if (stored.empty())
        return "All";
    return std::string(stored);
}
