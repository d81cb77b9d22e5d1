#include "database/Loader.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/OrderedJobs.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <functional>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
void WalkFolder(const fs::path& folder, std::vector<fs::path>& files)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    // Byte-wise name order, so that every machine loads the same records in the same order.
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b)
              { return a.path().filename().native() < b.path().filename().native(); });
    for (const fs::directory_entry& entry : entries)
    {
        if (entry.is_symlink(ec))
        {
            // A link to a file is read; a link to a folder could close a loop.
            if (!entry.is_directory(ec) &&
                entry.path().filename().native().find(".xml") != std::string::npos &&
                entry.is_regular_file(ec))
                files.push_back(entry.path());
        }
        else if (entry.is_directory(ec))
            WalkFolder(entry.path(), files);
        else if (entry.path().filename().native().find(".xml") != std::string::npos &&
                 entry.is_regular_file(ec))
            files.push_back(entry.path());
    }
}

// The formula, technique, components and wizard files, read on several threads and added
// in file order on this one, so the records, merges and progress steps are those of one
// file after the other. The readers only look up subcategories (built before they start)
// and icons (read-only); everything that changes the database happens here.
void ReadDatabaseFiles(CGameDatabase& db, const std::vector<fs::path>& formulaFiles,
                       const std::vector<fs::path>& techniqueFiles, const fs::path& componentsFile,
                       const std::vector<fs::path>& wizardFiles, unsigned threads,
                       const std::function<void()>& step)
{
    const std::size_t formulaEnd = formulaFiles.size();
    const std::size_t techniqueEnd = formulaEnd + techniqueFiles.size();
    const std::size_t componentsAt = techniqueEnd;
    const std::size_t count = componentsAt + 1 + wizardFiles.size();

    std::vector<std::unique_ptr<CFormulaSet>> formulaSets(formulaFiles.size());
    std::vector<std::unique_ptr<CTechniqueSet>> techniqueSets(techniqueFiles.size());
    std::vector<COwned<CComponent>> components;
    std::vector<std::unique_ptr<CWizardTemplate>> wizards(wizardFiles.size());

    db.FindSubcategory({});
    RunOrdered(
        count, threads,
        [&](std::size_t i)
        {
            if (i < formulaEnd)
                formulaSets[i] = db.ReadFormulaSetFile(formulaFiles[i]);
            else if (i < techniqueEnd)
                techniqueSets[i - formulaEnd] =
                    db.ReadTechniqueSetFile(techniqueFiles[i - formulaEnd]);
            else if (i == componentsAt)
                CGameDatabase::ReadComponentFile(componentsFile, components);
            else
                wizards[i - componentsAt - 1] =
                    db.ReadWizardFile(wizardFiles[i - componentsAt - 1]);
        },
        [&](std::size_t i)
        {
            if (i < formulaEnd)
                db.AddFormulaSet(std::move(formulaSets[i]));
            else if (i < techniqueEnd)
                db.AddTechniqueSet(std::move(techniqueSets[i - formulaEnd]));
            else if (i == componentsAt)
            {
                db.Edit([&](CGameDatabase::CLists& lists)
                        { lists.components = std::move(components); });
                return;
            }
            else if (auto& wizard = wizards[i - componentsAt - 1])
                db.wizards.push_back(std::move(wizard));
            step();
        });
}

} // namespace

std::vector<fs::path> DatabaseFiles(const fs::path& folder)
{
    std::vector<fs::path> files;
    WalkFolder(folder, files);
    return files;
}

std::uintmax_t FreeSpaceForRebuild(const fs::path& dataFolder)
{
    std::error_code ec;
    fs::path where = DataPaths::Join(dataFolder, DataPaths::Temp);
    while (!fs::exists(where, ec) && where.has_relative_path() && where.parent_path() != where)
        where = where.parent_path();
    const fs::space_info space = fs::space(where.empty() ? fs::path(".") : where, ec);
    if (ec || space.available == static_cast<std::uintmax_t>(-1))
        return UINTMAX_MAX;
    return space.available;
}

bool RebuildDatabase(CDatabaseLoadContext& c, ELoadSource* refused)
{
    CGameDatabase& db = *c.database;
    CSettings& settings = *c.settings;
    const std::uintmax_t available =
        c.freeSpace ? c.freeSpace(c.dataFolder) : FreeSpaceForRebuild(c.dataFolder);
    if (available < RebuildFreeSpace)
    {
        if (c.prompter)
            c.prompter->Warn(std::string(Messages::NoSpaceForRecache));
        if (refused)
            *refused = ELoadSource::NoSpace;
        return false;
    }

    const std::vector<fs::path> formulaFiles =
        DatabaseFiles(DataPaths::Join(c.dataFolder, DataPaths::Crafts));
    // An emptied or missing "Config" would give an empty database, and its cache would
    // stand in for the real one at every start after.
    if (formulaFiles.empty())
    {
        if (refused)
            *refused = ELoadSource::NoFormulae;
        return false;
    }
    const std::vector<fs::path> techniqueFiles =
        DatabaseFiles(DataPaths::Join(c.dataFolder, DataPaths::Techs));
    const std::vector<fs::path> wizardFiles =
        DatabaseFiles(DataPaths::Join(c.dataFolder, DataPaths::Wizards));
    if (c.progress)
        c.progress->Begin(
            static_cast<int>(formulaFiles.size() + techniqueFiles.size() + wizardFiles.size()));
    auto step = [&c]
    {
        if (c.progress)
            c.progress->Step();
    };

    db.ClearDatabase();
    if (c.databaseCleared)
        c.databaseCleared();

    CIconManager* icons = c.icons;
    if (icons)
    {
        icons->SetIconSize(settings.IconSize);
        icons->LoadIcons(fs::path(settings.GameBasePath), c.dataFolder, settings.EnableIcons);
    }
    db.icons = icons;

    db.ReadCategories(DataPaths::Join(c.dataFolder, DataPaths::Categories));
    ReadDatabaseFiles(db, formulaFiles, techniqueFiles,
                      DataPaths::Join(c.dataFolder, DataPaths::Components), wizardFiles,
                      c.threads ? c.threads : LoadThreads(), step);
    db.ReadTechniqueOverlay(DataPaths::Join(c.dataFolder, DataPaths::TechniqueOverlay));
    db.ReadFormulaOverlay(DataPaths::Join(c.dataFolder, DataPaths::FormulaOverlay));
    // The reader's buffers are as large as the largest file; nothing else needs them.
    CXmlDocument::ReleaseSpareBuffers();

    if (settings.EnableCache && icons)
        WriteCache(db, *icons, DataPaths::Join(c.dataFolder, DataPaths::Cache));
    if (c.progress)
        c.progress->End();
    return true;
}

namespace
{
// The cache holds no categories; the small file is read on every load, so the formula tree
// shows the same categories and icons on every start.
void ReadCategoriesAfterCache(CDatabaseLoadContext& c)
{
    if (c.icons)
        c.icons->RestoreNames(fs::path(c.settings->GameBasePath), c.dataFolder, c.settings->EnableIcons);
    c.database->ReadCategories(DataPaths::Join(c.dataFolder, DataPaths::Categories));
}
} // namespace

ELoadSource LoadOrRebuildDatabase(CDatabaseLoadContext& c)
{
    CGameDatabase& db = *c.database;
    CSettings& settings = *c.settings;
    const fs::path cache = DataPaths::Join(c.dataFolder, DataPaths::Cache);
    db.icons = c.icons;
    if (!c.rebuild && c.icons && LoadCache(db, *c.icons, cache, settings))
    {
        ReadCategoriesAfterCache(c);
        return ELoadSource::Cache;
    }
    ELoadSource refused = ELoadSource::NoSpace;
    if (RebuildDatabase(c, &refused))
        return ELoadSource::Xml;
    const std::string crafts = DataPaths::Join(c.dataFolder, DataPaths::Crafts).string();
    if (refused == ELoadSource::NoFormulae && c.rebuild &&
        (!db.FormulaSets().empty() || (c.icons && LoadCache(db, *c.icons, cache, settings))))
    {
        if (db.categories.empty())
            ReadCategoriesAfterCache(c);
        if (c.prompter)
            c.prompter->Warn(Format(Messages::NoFormulaFilesKept, crafts.c_str()));
        return ELoadSource::Kept;
    }
    if (refused == ELoadSource::NoFormulae && c.prompter)
        c.prompter->Warn(Format(Messages::NoFormulaFiles, crafts.c_str()));
    // What a damaged cache left behind is part of a database; none is safer.
    db.ClearDatabase();
    return refused;
}
