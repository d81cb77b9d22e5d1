// Replays the hostile-input corpus (tests/data/hostile) against the table of outcomes in
// its expected.tsv; the largest inputs are generated here instead of committed.
#include "support/TempDir.h"
#include "support/TestZip.h"

#include "base/Messages.h"
#include "base/Settings.h"
#include "base/Theme.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "order/Order.h"
#include "profile/ProfileFile.h"
#include "session/ThemeFile.h"
#include "support/ScriptedPrompter.h"
#include "update/ArchiveInstall.h"
#include "update/ReleaseInfo.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
struct CHostileCase
{
    std::string file;
    std::string reader;
    std::string outcome;
};

std::vector<CHostileCase> ReadTable()
{
    std::vector<CHostileCase> cases;
    std::ifstream in(TestDataPath("hostile/expected.tsv"));
    std::string line;
    bool heading = true;
    while (std::getline(in, line))
    {
        if (line.empty() || line[0] == '#')
            continue;
        if (heading)
        {
            heading = false;
            continue;
        }
        std::istringstream fields(line);
        CHostileCase c;
        std::getline(fields, c.file, '\t');
        std::getline(fields, c.reader, '\t');
        std::getline(fields, c.outcome);
        cases.push_back(c);
    }
    return cases;
}

// An order of many items written line by line (as the program writes it, without the
// indentation); without closing lines when `closed` is false.
void WriteManyItems(const fs::path& path, int count, bool closed)
{
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<order>\n<order-format>1.0</order-format>\n";
    for (int i = 0; i < count; ++i)
    {
        out << "<item>\n";
        if (closed)
            out << "<item-name>Bar " << i << "</item-name>\n<item-formula>Ash Bar</item-formula>\n</item>\n";
    }
    if (closed)
        out << "</order>\n";
}

// An order of one item and very many groups.
void WriteManyGroups(const fs::path& path, int count)
{
    std::ofstream out(path, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<order>\n<order-format>1.0</order-format>\n<groups>\n";
    for (int i = 0; i < count; ++i)
        out << "<group>Group " << i << "</group>\n";
    out << "</groups>\n<item>\n<item-name>Bar</item-name>\n<item-group>Group 7</item-group>\n</item>\n</order>\n";
}

void WriteOneLine(const fs::path& path, const std::string& opening)
{
    std::ofstream out(path, std::ios::binary);
    out << opening;
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 100; ++i)
        out << block;
}

std::string Bool(bool b)
{
    return b ? "true" : "false";
}

std::string ObserveXml(const fs::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement set("formulaset");
    const bool found = set.FindNext(doc, root);
    std::string name;
    const bool named = found && set.GetText(doc, "formulaset-name", name, true);
    return "lines=" + std::to_string(doc.LineCount()) + " found=" + Bool(found) + " name=" + (named ? name : "none");
}

std::string ObserveFormula(const fs::path& path)
{
    CGameDatabase db;
    auto set = db.ReadFormulaSetFile(path);
    if (!set)
        return "set=none";
    return "set=" + set->name + " formulae=" + std::to_string(set->formulae.size());
}

std::string ObserveOverlay(const fs::path& path)
{
    CGameDatabase db;
    const bool ok = db.ReadFormulaOverlay(path);
    return "result=" + Bool(ok) + " formulae=" + std::to_string(db.FormulaCount());
}

std::string ObserveOrder(const fs::path& path)
{
    CGameDatabase db;
    COrder order;
    const EOrderRead status = order.ReadFile(path, db).status;
    const char* const names[] = {"read", "missing", "folder", "unreadable", "too-large", "unsupported", "damaged"};
    const int batches = order.items.empty() ? 0 : order.items.front()->batches;
    return std::string("read=") + names[static_cast<int>(status)] + " items=" + std::to_string(order.ItemCount()) +
           " batches=" + std::to_string(batches) + " groups=" + std::to_string(order.groups.size());
}

std::string ObserveProfile(const fs::path& path)
{
    CTempDir data;
    CProfileList list;
    list.profiles.push_back(std::make_unique<CProfile>());
    CProfile& profile = *list.profiles.back();
    ReadProfile(profile, path);
    profile.type = ProfileTypes::Local;
    profile.changed = true;
    CScriptedPrompter prompter;
    const bool saved = SaveChangedProfiles(list, data.Path() / "data", &prompter);
    std::string warned = "none";
    if (prompter.warnings.size() == 1 &&
        prompter.warnings[0].find(Messages::ProfileNameUnusable) != std::string::npos)
        warned = "unusable";
    else if (!prompter.warnings.empty())
        warned = prompter.warnings[0];
    std::string written;
    for (const auto& entry : fs::recursive_directory_iterator(data.Path()))
        if (entry.is_regular_file())
            written += (written.empty() ? "" : ",") + entry.path().lexically_relative(data.Path()).generic_string();
    return "name-bytes=" + std::to_string(profile.name.size()) + " saved=" + Bool(saved) +
           " changed=" + Bool(profile.changed) + " warned=" + warned + " written=" + (written.empty() ? "none" : written);
}

std::string ObserveTheme(const fs::path& path)
{
    CTheme theme;
    const bool ok = LoadTheme(theme, path);
    std::string table;
    for (const auto& [key, value] : theme.Table())
        table += (table.empty() ? "" : ",") + key + ":" + value;
    char colours[64];
    std::snprintf(colours, sizeof colours, " GRID_BACKCOLOUR=%x DIALOGCOLOUR_FG=%x", theme.ThemeColour("GRID_BACKCOLOUR"),
                  theme.ThemeColour("DIALOGCOLOUR_FG"));
    return "result=" + Bool(ok) + " table=" + table + colours;
}

std::string ObserveCache(const fs::path& path)
{
    CTempDir dir;
    CIconManager none;
    EXPECT_TRUE(none.WriteIcons(dir / "formicons.dat"));
    fs::copy_file(path, dir / "config.dat");
    CGameDatabase db;
    CIconManager icons;
    CSettings settings;
    const bool ok = LoadCache(db, icons, dir.Path(), settings);
    const std::size_t records = db.FormulaSets().size() + db.TechniqueSets().size() +
                                db.Components().size() + db.wizards.size();
    return "result=" + Bool(ok) + " records=" + std::to_string(records);
}

std::string ObserveRelease(const fs::path& path)
{
    CReleaseInfo info;
    const bool ok = info.Load(path);
    int valid = 0;
    for (const CRelease& release : info.releases)
        valid += release.validDate ? 1 : 0;
    const CRelease* latest = info.Latest();
    return "result=" + Bool(ok) + " releases=" + std::to_string(info.releases.size()) + " valid=" +
           std::to_string(valid) + " latest=" + (latest ? latest->revision : "none");
}

std::vector<CZipEntry> ArchiveEntries(const std::string& name)
{
    const std::string good = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<categories>\n</categories>\n";
    if (name == "archive-good")
        return {{"Categories.xml", good}, {"Crafts/", "", CZipEntry::EKind::Folder}, {"Crafts/bars.xml", good}};
    if (name == "archive-dotdot")
        return {{"Categories.xml", good}, {"../../escaped.xml", "x"}};
    if (name == "archive-absolute")
        return {{"Categories.xml", good}, {"/tmp/moxa-hostile-absolute.xml", "x"}};
    if (name == "archive-backslash")
        return {{"Categories.xml", good}, {"..\\escaped.xml", "x"}};
    if (name == "archive-drive-letter")
        return {{"Categories.xml", good}, {"C:escaped.xml", "x"}};
    if (name == "archive-symlink")
        return {{"Categories.xml", good}, {"Crafts", "../..", CZipEntry::EKind::Symlink}, {"Crafts/bars.xml", "x"}};
    if (name == "archive-duplicate-names")
        return {{"Categories.xml", good}, {"Categories.xml", "<categories>\n"}};
    if (name == "archive-file-then-folder")
        return {{"Crafts", "x"}, {"Crafts/bars.xml", good}};
    if (name == "archive-ratio-1000")
        return {{"Categories.xml", good}, {"Crafts/zeros.xml", std::string(std::size_t(16) << 20, '\0')}};
    if (name == "archive-no-database")
        return {{"readme.txt", "nothing to install"}, {"Crafts/", "", CZipEntry::EKind::Folder}};
    if (name == "archive-blank-bomb")
        return {{"Categories.xml", good}, {"Crafts/blanks.xml", good + std::string(std::size_t(4) << 20, ' ')}};
    if (name == "archive-newline-bomb")
        return {{"Categories.xml", good}, {"Crafts/lines.xml", good + std::string(std::size_t(4) << 20, '\n')}};
    return {};
}

std::string ObserveArchive(const std::string& name, const fs::path& file, const fs::path& work)
{
    const fs::path sandbox = work / "sandbox";
    const fs::path data = sandbox / "data";
    const std::string oldCategories = "<categories>\n<category>\n</category>\n</categories>\n";
    fs::create_directories(data / "Config");
    fs::create_directories(data / "Temp");
    std::ofstream(data / "Config/Categories.xml", std::ios::binary) << oldCategories;
    const fs::path archive = data / "Temp/Moxa_2026-11-30.zip";
    if (fs::exists(file))
        fs::copy_file(file, archive);
    else if (name == "archive-not-a-zip")
        std::ofstream(archive, std::ios::binary) << "PK\x03\x04 this is no zip";
    else
        EXPECT_TRUE(WriteTestZip(archive, ArchiveEntries(name)));

    CScriptedPrompter prompter;
    CSettings settings;
    CInstallContext context;
    context.dataFolder = data;
    context.settings = &settings;
    context.prompter = &prompter;
    // The bound is lowered so that a 1000:1 archive passes it without gigabytes of work.
    context.maxUnpackedBytes = 8 << 20;
    const bool ok = InstallUpdateArchive(archive, context) == EInstallResult::Installed;

    std::string warned = "none";
    if (prompter.warnings == std::vector<std::string>{std::string(Messages::ArchiveCorrupt)})
        warned = "corrupt";
    else if (!prompter.warnings.empty())
        warned = prompter.warnings.front();
    const std::string categories = ReadFileBytes(data / "Config/Categories.xml");
    const std::string config = categories == oldCategories ? "kept" : ok ? "new" : "changed";
    std::string outside;
    for (const auto& entry : fs::directory_iterator(sandbox))
        if (entry.path().filename() != "data")
            outside += entry.path().filename().string() + ",";
    if (fs::exists("/tmp/moxa-hostile-absolute.xml"))
        outside += "/tmp/moxa-hostile-absolute.xml";
    return "result=" + Bool(ok) + " warned=" + warned + " config=" + config + " outside=" + (outside.empty() ? "none" : outside);
}
} // namespace

TEST(HostileInput, EveryFileGivesItsOutcome)
{
    const std::vector<CHostileCase> cases = ReadTable();
    ASSERT_GE(cases.size(), 20u);
    for (const CHostileCase& c : cases)
    {
        SCOPED_TRACE(c.file);
        CTempDir work;
        fs::path path = TestDataPath("hostile/" + c.file);
        const bool generated = c.file.rfind("gen:", 0) == 0;
        const std::string name = generated ? c.file.substr(4) : c.file;
        if (generated && c.reader != "archive")
        {
            path = work / (name + ".xml");
            if (name == "xml-100mb-one-line")
                WriteOneLine(path, "<formulaset>");
            else if (name == "order-100mb-one-line")
                WriteOneLine(path, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><order><order-format>1.0</order-format>");
            else if (name == "order-million-items")
                WriteManyItems(path, 1000000, true);
            else if (name == "order-200000-opening-lines")
                WriteManyItems(path, 200000, false);
            else if (name == "order-million-groups")
                WriteManyGroups(path, 1000000);
            else
                FAIL() << "no generator for " << name;
        }
        std::string observed;
        if (c.reader == "xml")
            observed = ObserveXml(path);
        else if (c.reader == "formula")
            observed = ObserveFormula(path);
        else if (c.reader == "overlay")
            observed = ObserveOverlay(path);
        else if (c.reader == "order")
            observed = ObserveOrder(path);
        else if (c.reader == "profile")
            observed = ObserveProfile(path);
        else if (c.reader == "theme")
            observed = ObserveTheme(path);
        else if (c.reader == "cache")
            observed = ObserveCache(path);
        else if (c.reader == "release")
            observed = ObserveRelease(path);
        else if (c.reader == "archive")
            observed = ObserveArchive(name, path, work.Path());
        else
            FAIL() << "unknown reader " << c.reader;
        EXPECT_EQ(observed, c.outcome);
    }
}
