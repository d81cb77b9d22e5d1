#include "database/Cache.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Settings.h"
#include "database/CacheDigest.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"

#include <charconv>
#include <fstream>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

// Layout of config.dat, one record per line, fields separated by "|":
//
//   Moxa2 V1.21 - Do not edit!
//   formula sets|technique sets|components|wizard templates
//   per formula set:   name|category|note|icon|formulae
//     per formula:     name|batchqty|icon|note|category|y/n tier keywords|attributes|tiers
//                      keyword block, attribute lines, tiers
//     per tier:        name|level|level name|description|allowed
//     techniques|batchqty|attributes|resources
//                      keyword block, attribute lines, resource lines
//   per technique set: name|note|category|icon|techniques
//     per technique:   name|icon|prefix|suffix|description|subdescription|y/n|attributes|keyword
//     sets|effect keyword sets|tiers
//                      attribute lines, keyword blocks, effect keyword blocks, tiers
//     per tier:        name|origin|level|level name|description|skill adjust|usage
//     adjust|prefix|suffix|size|keyword sets|effect keyword sets|attributes|components
//                      keyword blocks, effect keyword blocks, attribute lines, resource lines
//   per component:     name|description|type|tier|bulk|buy|sell|vendor|gather methods|locations
//     per method:      tool|skill|rate|min skill|max skill|bonuses, then name|amount|qualifier per
//     bonus one line per location
//   per wizard:        school|type|version|races|slots|formula sets|techs
//                      one line per race, one per slot,
//                      name|description|filter|priority|optional per formula set, one line per tech
//
// keyword block: a line with the count, then one keyword per line
// attribute line: key|value
// resource line:  name|skill|min skill|qty at min|opt skill|qty at opt|units

namespace
{
// Builds the lines and remembers whether every text could be stored as it is.
class CCacheWriter
{
public:
    explicit CCacheWriter(std::string& out) : m_out(out) {}

    CCacheWriter& Text(std::string_view text)
    {
        Separate();
        if (text.find_first_of("|\n") != std::string_view::npos)
            m_ok = false;
        m_out.append(text);
        return *this;
    }
    CCacheWriter& Int(long long value)
    {
        Separate();
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_out.append(buffer, result.ptr);
        return *this;
    }
    CCacheWriter& Count(std::size_t count) { return Int(static_cast<long long>(count)); }
    CCacheWriter& Flag(bool value) { return Text(value ? "y" : "n"); }
    void End()
    {
        m_out.push_back('\n');
        m_first = true;
    }
    // A line that is one whole text: only a line break would break it.
    void Line(std::string_view text)
    {
        if (text.find('\n') != std::string_view::npos)
            m_ok = false;
        m_out.append(text);
        End();
    }
    bool Ok() const { return m_ok; }

private:
    void Separate()
    {
        if (!m_first)
            m_out.push_back('|');
        m_first = false;
    }

    std::string& m_out;
    bool m_first = true;
    bool m_ok = true;
};

void WriteKeywords(CCacheWriter& w, const std::vector<std::string>& keywords)
{
    w.Count(keywords.size()).End();
    for (const std::string& keyword : keywords)
        w.Line(keyword);
}

void WriteAttributes(CCacheWriter& w, const std::vector<CAttribute>& attributes)
{
    for (const CAttribute& a : attributes)
    {
        w.Text(a.key).Text(a.value);
        w.End();
    }
}

void WriteResources(CCacheWriter& w, const std::vector<CResource>& resources)
{
    for (const CResource& r : resources)
    {
        w.Text(r.name)
            .Text(r.skill)
            .Int(r.minSkill)
            .Int(r.qtyAtMin)
            .Int(r.optSkill)
            .Int(r.qtyAtOpt)
            .Int(r.units);
        w.End();
    }
}

void WriteFormulaSet(CCacheWriter& w, const CFormulaSet& set)
{
    w.Text(set.name)
        .Text(set.category)
        .Text(set.note)
        .Int(set.iconIndex)
        .Count(set.formulae.size());
    w.End();
    for (const auto& formula : set.formulae)
    {
        const CFormula& f = *formula;
        w.Text(f.name)
            .Int(f.batchQty)
            .Int(f.iconIndex)
            .Text(f.note)
            .Text(f.category)
            .Flag(f.hasTierKeywords);
        w.Count(f.attributes.size()).Count(f.tiers.size());
        w.End();
        WriteKeywords(w, f.keywords);
        WriteAttributes(w, f.attributes);
        for (const auto& tier : f.tiers)
        {
            const CFormulaTier& t = *tier;
            w.Text(t.name)
                .Int(t.level)
                .Text(t.levelName)
                .Text(t.description)
                .Int(t.allowedTechniques);
            w.Int(t.batchQty).Count(t.attributes.size()).Count(t.resources.size());
            w.End();
            WriteKeywords(w, t.keywords);
            WriteAttributes(w, t.attributes);
            WriteResources(w, t.resources);
        }
    }
}

void WriteTechniqueSet(CCacheWriter& w, const CTechniqueSet& set)
{
    w.Text(set.name)
        .Text(set.note)
        .Text(set.category)
        .Int(set.iconIndex)
        .Count(set.techniques.size());
    w.End();
    for (const auto& technique : set.techniques)
    {
        const CTechnique& t = *technique;
        w.Text(t.name)
            .Int(t.iconIndex)
            .Text(t.prefix)
            .Text(t.suffix)
            .Text(t.description)
            .Text(t.subdescription);
        w.Flag(t.hasTierKeywords).Count(t.attributes.size()).Count(t.keywordSets.size());
        w.Count(t.effectKeywordSets.size()).Count(t.tiers.size());
        w.End();
        WriteAttributes(w, t.attributes);
        for (const CKeywordSet& keywords : t.keywordSets)
            WriteKeywords(w, keywords);
        for (const CKeywordSet& keywords : t.effectKeywordSets)
            WriteKeywords(w, keywords);
        for (const auto& tier : t.tiers)
        {
            const CTechniqueTier& r = *tier;
            w.Text(r.name).Text(r.origin).Int(r.level).Text(r.levelName).Text(r.description);
            w.Int(r.skillAdjust).Int(r.usageAdjust).Text(r.prefix).Text(r.suffix).Int(r.techSize);
            w.Count(r.keywordSets.size())
                .Count(r.effectKeywordSets.size())
                .Count(r.attributes.size());
            w.Count(r.components.size());
            w.End();
            for (const CKeywordSet& keywords : r.keywordSets)
                WriteKeywords(w, keywords);
            for (const CKeywordSet& keywords : r.effectKeywordSets)
                WriteKeywords(w, keywords);
            WriteAttributes(w, r.attributes);
            WriteResources(w, r.components);
        }
    }
}

void WriteComponent(CCacheWriter& w, const CComponent& c)
{
    w.Text(c.name).Text(c.description).Text(c.type).Int(c.tier).Int(c.bulk).Text(c.buyValue);
    w.Text(c.sellValue).Text(c.vendorValue).Count(c.gatherMethods.size()).Count(c.locations.size());
    w.End();
    for (const CGatherMethod& g : c.gatherMethods)
    {
        w.Text(g.tool)
            .Text(g.skill)
            .Text(g.rate)
            .Text(g.minSkill)
            .Text(g.maxSkill)
            .Count(g.bonuses.size());
        w.End();
        for (const CGatherBonus& b : g.bonuses)
        {
            w.Text(b.name).Text(b.amount).Text(b.qualifier);
            w.End();
        }
    }
    for (const std::string& location : c.locations)
        w.Line(location);
}

void WriteWizard(CCacheWriter& w, const CWizardTemplate& t)
{
    w.Text(t.school).Text(t.type).Int(t.version).Count(t.races.size()).Count(t.slots.size());
    w.Count(t.formulaSets.size()).Count(t.techs.size());
    w.End();
    for (const std::string& race : t.races)
        w.Line(race);
    for (const std::string& slot : t.slots)
        w.Line(slot);
    for (const CWizardFormulaSet& s : t.formulaSets)
    {
        w.Text(s.name).Text(s.description).Text(s.filter).Int(s.priority).Int(s.optional);
        w.End();
    }
    for (const std::string& tech : t.techs)
        w.Line(tech);
}

} // namespace

bool FormatCache(const CGameDatabase& db, std::string& text)
{
    text.clear();
    CCacheWriter w(text);
    w.Line(CacheHeader);
    w.Count(db.formulaSets.size()).Count(db.techniqueSets.size()).Count(db.components.size());
    w.Count(db.wizards.size());
    w.End();
    for (const auto& set : db.formulaSets)
        WriteFormulaSet(w, *set);
    for (const auto& set : db.techniqueSets)
        WriteTechniqueSet(w, *set);
    for (const auto& component : db.components)
        WriteComponent(w, *component);
    for (const auto& wizard : db.wizards)
        WriteWizard(w, *wizard);
    return w.Ok();
}

void RemoveCacheFiles(const fs::path& folder)
{
    std::error_code ec;
    fs::remove(DataPaths::Join(folder, DataPaths::CacheFile), ec);
    fs::remove(DataPaths::Join(folder, DataPaths::IconCacheFile), ec);
    fs::remove(folder / CacheDigest::FileName, ec);
}

bool WriteCache(const CGameDatabase& db, const CIconManager& icons, const fs::path& folder)
{
    std::string text;
    // A cache that would read back as something else is worse than none: the next start
    // then rebuilds from XML instead.
    if (!FormatCache(db, text))
    {
        RemoveCacheFiles(folder);
        return false;
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    CAtomicFile::RemoveLeftovers(folder);
    // The old "config.dat" goes first: a save cut short between the two renames must not
    // pair old records with new icons; without it the next start rebuilds.
    fs::remove(DataPaths::Join(folder, DataPaths::CacheFile), ec);
    // The two files belong together: a failure of either leaves neither behind.
    if (!icons.WriteIcons(DataPaths::Join(folder, DataPaths::IconCacheFile)) ||
        !WriteFileAtomically(DataPaths::Join(folder, DataPaths::CacheFile), text) ||
        !CacheDigest::Write(folder, text))
    {
        RemoveCacheFiles(folder);
        return false;
    }
    return true;
}

bool LoadCache(CGameDatabase& db, CIconManager& icons, const fs::path& folder,
               const CSettings& settings)
{
    if (!settings.EnableCache)
        return false;
    db.ClearDatabase();
    icons.Clear();
    if (!icons.ReadIcons(DataPaths::Join(folder, DataPaths::IconCacheFile)))
        return false;
    // The cache is only ever replaced by a rename, so the open file stays whole meanwhile.
    std::ifstream in(DataPaths::Join(folder, DataPaths::CacheFile), std::ios::binary);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0);
    if (!in || size < 0)
        return false;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), size);
    return in.gcount() == size && CacheDigest::Matches(folder, text) && ParseCache(db, text);
}
