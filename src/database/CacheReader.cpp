// Reading config.dat back: the records decoded from the lines of CacheLineReader.h, handed to
// the database in one edit.
#include "database/Cache.h"
#include "database/CacheLineReader.h"
#include "database/GameDatabase.h"

#include <array>
#include <memory>

namespace
{
using namespace CacheLines;

bool ReadFormulaTier(CCacheReader& in, CFormulaTier& t)
{
    std::array<Field, 8> f;
    int attributes = 0, resources = 0;
    if (!in.Fields(f) || !ParseInt(f[1], t.level) || !ParseInt(f[4], t.allowedTechniques) ||
        !ParseInt(f[5], t.batchQty) || !in.Count(f[6], attributes) || !in.Count(f[7], resources))
        return false;
    t.name = f[0];
    t.levelName = f[2];
    t.description = f[3];
    return in.Keywords(t.keywords) && in.Attributes(t.attributes, attributes) &&
           in.Resources(t.resources, resources);
}

bool ReadFormula(CCacheReader& in, CFormula& formula)
{
    std::array<Field, 8> f;
    int attributes = 0, tiers = 0;
    if (!in.Fields(f) || !ParseInt(f[1], formula.batchQty) || !ParseInt(f[2], formula.iconIndex) ||
        !ParseFlag(f[5], formula.hasTierKeywords) || !in.Count(f[6], attributes) ||
        !in.Count(f[7], tiers))
        return false;
    formula.name = f[0];
    formula.note = f[3];
    formula.category = f[4];
    if (!in.Keywords(formula.keywords) || !in.Attributes(formula.attributes, attributes))
        return false;
    ReserveBounded(formula.tiers, tiers);
    for (int i = 0; i < tiers; ++i)
        if (!ReadFormulaTier(in, *formula.tiers.emplace_back(std::make_unique<CFormulaTier>())))
            return false;
    return true;
}

// Where the records go: the database's lists, open for one edit while the cache is read.
struct CCacheTarget
{
    CGameDatabase::CLists& lists;
    std::vector<std::unique_ptr<CWizardTemplate>>& wizards;
};

bool ReadFormulaSet(CCacheReader& in, CCacheTarget& out)
{
    std::array<Field, 5> f;
    int formulae = 0;
    auto set = std::make_unique<CFormulaSet>();
    if (!in.Fields(f) || !ParseInt(f[3], set->iconIndex) || !in.Count(f[4], formulae))
        return false;
    set->name = f[0];
    set->category = f[1];
    set->note = f[2];
    ReserveBounded(set->formulae, formulae);
    for (int i = 0; i < formulae; ++i)
        if (!ReadFormula(in, *set->formulae.emplace_back(std::make_unique<CFormula>())))
            return false;
    out.lists.formulaSets.push_back(std::move(set));
    return true;
}

bool ReadTechniqueTier(CCacheReader& in, CTechniqueTier& t)
{
    std::array<Field, 14> f;
    int keywordSets = 0, effectSets = 0, attributes = 0, components = 0;
    if (!in.Fields(f) || !ParseInt(f[2], t.level) || !ParseInt(f[5], t.skillAdjust) ||
        !ParseInt(f[6], t.usageAdjust) || !ParseInt(f[9], t.techSize) ||
        !in.Count(f[10], keywordSets) || !in.Count(f[11], effectSets) ||
        !in.Count(f[12], attributes) || !in.Count(f[13], components))
        return false;
    t.name = f[0];
    t.origin = f[1];
    t.levelName = f[3];
    t.description = f[4];
    t.prefix = f[7];
    t.suffix = f[8];
    return in.KeywordSets(t.keywordSets, keywordSets) &&
           in.KeywordSets(t.effectKeywordSets, effectSets) &&
           in.Attributes(t.attributes, attributes) && in.Resources(t.components, components);
}

bool ReadTechnique(CCacheReader& in, CTechnique& t)
{
    std::array<Field, 11> f;
    int attributes = 0, keywordSets = 0, effectSets = 0, tiers = 0;
    if (!in.Fields(f) || !ParseInt(f[1], t.iconIndex) || !ParseFlag(f[6], t.hasTierKeywords) ||
        !in.Count(f[7], attributes) || !in.Count(f[8], keywordSets) ||
        !in.Count(f[9], effectSets) || !in.Count(f[10], tiers))
        return false;
    t.name = f[0];
    t.prefix = f[2];
    t.suffix = f[3];
    t.description = f[4];
    t.subdescription = f[5];
    if (!in.Attributes(t.attributes, attributes) || !in.KeywordSets(t.keywordSets, keywordSets) ||
        !in.KeywordSets(t.effectKeywordSets, effectSets))
        return false;
    ReserveBounded(t.tiers, tiers);
    for (int i = 0; i < tiers; ++i)
        if (!ReadTechniqueTier(in, *t.tiers.emplace_back(std::make_unique<CTechniqueTier>())))
            return false;
    return true;
}

bool ReadTechniqueSet(CCacheReader& in, CCacheTarget& out)
{
    std::array<Field, 5> f;
    int techniques = 0;
    auto set = std::make_unique<CTechniqueSet>();
    if (!in.Fields(f) || !ParseInt(f[3], set->iconIndex) || !in.Count(f[4], techniques))
        return false;
    set->name = f[0];
    set->note = f[1];
    set->category = f[2];
    ReserveBounded(set->techniques, techniques);
    for (int i = 0; i < techniques; ++i)
        if (!ReadTechnique(in, *set->techniques.emplace_back(std::make_unique<CTechnique>())))
            return false;
    out.lists.techniqueSets.push_back(std::move(set));
    return true;
}

bool ReadComponent(CCacheReader& in, CCacheTarget& out)
{
    std::array<Field, 10> f;
    int methods = 0, locations = 0;
    auto c = std::make_unique<CComponent>();
    if (!in.Fields(f) || !ParseInt(f[3], c->tier) || !ParseInt(f[4], c->bulk) ||
        !in.Count(f[8], methods) || !in.Count(f[9], locations))
        return false;
    c->name = f[0];
    c->description = f[1];
    c->type = f[2];
    c->buyValue = f[5];
    c->sellValue = f[6];
    c->vendorValue = f[7];
    ReserveBounded(c->gatherMethods, methods);
    for (int i = 0; i < methods; ++i)
    {
        std::array<Field, 6> g;
        int bonuses = 0;
        if (!in.Fields(g) || !in.Count(g[5], bonuses))
            return false;
        CGatherMethod& m = c->gatherMethods.emplace_back();
        m.tool = g[0];
        m.skill = g[1];
        m.rate = g[2];
        m.minSkill = g[3];
        m.maxSkill = g[4];
        ReserveBounded(m.bonuses, bonuses);
        std::array<Field, 3> b;
        for (int j = 0; j < bonuses; ++j)
        {
            if (!in.Fields(b))
                return false;
            m.bonuses.push_back({std::string(b[0]), std::string(b[1]), std::string(b[2])});
        }
    }
    if (!ReadLines(in, c->locations, locations))
        return false;
    out.lists.components.push_back(std::move(c));
    return true;
}

bool ReadWizard(CCacheReader& in, CCacheTarget& out)
{
    std::array<Field, 7> f;
    int races = 0, slots = 0, sets = 0, techs = 0;
    auto w = std::make_unique<CWizardTemplate>();
    if (!in.Fields(f) || !ParseInt(f[2], w->version) || !in.Count(f[3], races) ||
        !in.Count(f[4], slots) || !in.Count(f[5], sets) || !in.Count(f[6], techs))
        return false;
    w->school = f[0];
    w->type = f[1];
    if (!ReadLines(in, w->races, races) || !ReadLines(in, w->slots, slots))
        return false;
    ReserveBounded(w->formulaSets, sets);
    std::array<Field, 5> s;
    for (int i = 0; i < sets; ++i)
    {
        CWizardFormulaSet& set = w->formulaSets.emplace_back();
        if (!in.Fields(s) || !ParseInt(s[3], set.priority) || !ParseInt(s[4], set.optional))
            return false;
        set.name = s[0];
        set.description = s[1];
        set.filter = s[2];
    }
    if (!ReadLines(in, w->techs, techs))
        return false;
    out.wizards.push_back(std::move(w));
    return true;
}

// The header and the line of counts; the reader is then at the first record.
bool ReadHead(CCacheReader& in, std::array<int, 4>& counts, long long& total)
{
    Field header;
    if (!in.Line(header) || header != CacheHeader)
        return false;
    std::array<Field, 4> f;
    if (!in.Fields(f))
        return false;
    total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
    {
        if (!in.Count(f[i], counts[i]))
            return false;
        total += counts[i];
    }
    return static_cast<unsigned long long>(total) <= in.LinesLeft();
}
} // namespace

bool ParseCache(CGameDatabase& db, std::string_view text)
{
    CCacheReader in(text);
    std::array<int, 4> counts{};
    long long total = 0;
    if (!ReadHead(in, counts, total))
        return false;
    bool ok = true;
    db.Edit(
        [&](CGameDatabase::CLists& lists)
        {
            lists.formulaSets.reserve(lists.formulaSets.size() +
                                      static_cast<std::size_t>(counts[0]));
            lists.techniqueSets.reserve(lists.techniqueSets.size() +
                                        static_cast<std::size_t>(counts[1]));
            lists.components.reserve(lists.components.size() + static_cast<std::size_t>(counts[2]));
            CCacheTarget out{lists, db.wizards};
            using Reader = bool (*)(CCacheReader&, CCacheTarget&);
            constexpr std::array<Reader, 4> readers = {ReadFormulaSet, ReadTechniqueSet,
                                                       ReadComponent, ReadWizard};
            for (std::size_t kind = 0; kind < counts.size() && ok; ++kind)
                for (int i = 0; i < counts[kind] && ok; ++i)
                    ok = readers[kind](in, out);
        });
    return ok;
}
