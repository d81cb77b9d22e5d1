#include "database/GameDatabase.h"

#include "database/DatabaseIndexes.h"
#include "database/IconManager.h"

#include <set>
#include <unordered_set>

namespace
{
constexpr std::string_view ResourcesCategory = "Resources";

// "All" and "Custom" search every set.
bool MatchesEveryCategory(std::string_view category)
{
    return category == "All" || category == "Custom";
}

template <typename V, typename Key> const V* Lookup(const CNameMap<V>& map, const Key& key)
{
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

template <typename V>
const V* Lookup2(const CNameMap<CNameMap<V>>& map, std::string_view outer, std::string_view inner)
{
    const auto it = map.find(outer);
    return it == map.end() ? nullptr : Lookup(it->second, inner);
}

// Records a formula that now sits at the end of the set at setPos: it becomes the first
// match for its name only when the current first match lies in a later set.
void PlaceFormula(CNameMap<CFormulaEntry>& map, const std::string& name, CFormulaEntry entry)
{
    const auto [it, inserted] = map.try_emplace(name, entry);
    if (!inserted && it->second.setPos > entry.setPos)
        it->second = entry;
}
} // namespace

CGameDatabase::CGameDatabase() : m_indexes(std::make_unique<CDatabaseIndexes>())
{
}
CGameDatabase::~CGameDatabase() = default;

void CGameDatabase::ClearDatabase()
{
    m_resourceFormulaSets.clear();
    m_formulaSets.clear();
    m_techniqueSets.clear();
    m_components.clear();
    wizards.clear();
    categories.clear();
    m_subcategories.clear();
    FormulaCategories.clear();
    TechniqueCategories.clear();
    HelpPages.clear();
    // Drop the maps too, so that no pointer into the freed records survives.
    *m_indexes = CDatabaseIndexes();
}

void CGameDatabase::InvalidateIndexes()
{
    m_indexes->InvalidateAll();
}

void CGameDatabase::ListsChanged()
{
    m_resourceFormulaSets.clear();
    for (const auto& set : m_formulaSets)
        if (set->category == ResourcesCategory)
            m_resourceFormulaSets.push_back(set.get());
    InvalidateIndexes();
}

void CGameDatabase::InvalidateProducers()
{
    m_indexes->producers.valid = false;
}

void CGameDatabase::RebuildIndexes()
{
    InvalidateIndexes();
    // Each lookup brings its index up to date; a name that cannot occur does it cheaply.
    FindFormulaSetIndex({}, {});
    FindFormula({}, {});
    FindProducingTier({});
    FindTechnique({}, {});
    FindComponent({});
    FindSubcategory({});
}

int CGameDatabase::IconIndex(std::string_view name) const
{
    return icons ? icons->IconIndex(name) : 0;
}

long CGameDatabase::FindFormulaSetIndex(std::string_view category, std::string_view name) const
{
    CDatabaseIndexes& ix = *m_indexes;
    ix.sets.Sync(
        m_formulaSets.size(), [&] { ix.setByCategory.clear(); },
        [&](std::size_t pos)
        {
            const CFormulaSet& set = *m_formulaSets[pos];
            ix.setByCategory[set.category].try_emplace(set.name, pos);
        });
    const std::size_t* pos = Lookup2(ix.setByCategory, category, name);
    return pos ? static_cast<long>(*pos) : -1;
}

void CGameDatabase::NoteFormulaAppended(const CFormula* formula, std::size_t setPos)
{
    CDatabaseIndexes& ix = *m_indexes;
    // Sets the index has not reached yet are taken in whole on the next sync.
    if (!ix.formulae.valid || setPos >= ix.formulae.indexed)
        return;
    const CFormulaEntry entry{formula, setPos};
    PlaceFormula(ix.formulaByName, formula->name, entry);
    PlaceFormula(ix.formulaByCategory[m_formulaSets[setPos]->category], formula->name, entry);
}

void CGameDatabase::AddFormulaSet(std::unique_ptr<CFormulaSet> set)
{
    if (!set)
        return;
    const long existing = FindFormulaSetIndex(set->category, set->name);
    if (existing >= 0)
    {
        const std::size_t pos = static_cast<std::size_t>(existing);
        CFormulaSet& target = *m_formulaSets[pos];
        target.formulae.reserve(target.formulae.size() + set->formulae.size());
        for (auto& formula : set->formulae)
        {
            CFormula* raw = formula.get();
            target.formulae.push_back(std::move(formula));
            NoteFormulaAppended(raw, pos);
        }
        if (target.category == ResourcesCategory)
            InvalidateProducers();
        return;
    }
    if (set->category == ResourcesCategory)
        m_resourceFormulaSets.push_back(set.get());
    m_formulaSets.push_back(std::move(set));
}

void CGameDatabase::AddSubcategory(CSubcategory subcategory)
{
    m_subcategories.push_back(std::move(subcategory));
}

void CGameDatabase::AddComponent(std::unique_ptr<CComponent> component)
{
    if (component)
        m_components.push_back(std::move(component));
}

void CGameDatabase::AddTechniqueSet(std::unique_ptr<CTechniqueSet> set)
{
    // Technique sets are never merged: each file is a set of its own.
    if (set)
        m_techniqueSets.push_back(std::move(set));
}

// The records are this database's own; the lookups hand them out const.
CFormula* CGameDatabase::FormulaToEdit(std::string_view name)
{
    return const_cast<CFormula*>(FindFormula("All", name));
}

CTechnique* CGameDatabase::TechniqueToEdit(std::string_view name)
{
    return const_cast<CTechnique*>(FindTechnique("All", name));
}

const CComponent* CGameDatabase::FindComponent(std::string_view name) const
{
    CDatabaseIndexes& ix = *m_indexes;
    ix.components.Sync(
        m_components.size(), [&] { ix.componentByName.clear(); },
        [&](std::size_t pos)
        {
            const CComponent* component = m_components[pos].get();
            ix.componentByName.try_emplace(component->name, component);
        });
    const CComponent* const* hit = Lookup(ix.componentByName, name);
    return hit ? *hit : nullptr;
}

const CSubcategory* CGameDatabase::FindSubcategory(std::string_view name) const
{
    CDatabaseIndexes& ix = *m_indexes;
    // Positions, not pointers: the list holds its records by value.
    ix.subcategories.Sync(
        m_subcategories.size(), [&] { ix.subcategoryByName.clear(); },
        [&](std::size_t pos) { ix.subcategoryByName.try_emplace(m_subcategories[pos].name, pos); });
    const std::size_t* pos = Lookup(ix.subcategoryByName, name);
    return pos ? &m_subcategories[*pos] : nullptr;
}

const CFormula* CGameDatabase::FindFormula(std::string_view category, std::string_view name) const
{
    CDatabaseIndexes& ix = *m_indexes;
    ix.formulae.Sync(
        m_formulaSets.size(),
        [&]
        {
            ix.formulaByName.clear();
            ix.formulaByCategory.clear();
        },
        [&](std::size_t pos)
        {
            const CFormulaSet& set = *m_formulaSets[pos];
            CNameMap<CFormulaEntry>& byName = ix.formulaByCategory[set.category];
            for (const auto& formula : set.formulae)
            {
                const CFormulaEntry entry{formula.get(), pos};
                ix.formulaByName.try_emplace(formula->name, entry);
                byName.try_emplace(formula->name, entry);
            }
        });
    const CFormulaEntry* hit = MatchesEveryCategory(category)
                                   ? Lookup(ix.formulaByName, name)
                                   : Lookup2(ix.formulaByCategory, category, name);
    return hit ? hit->formula : nullptr;
}

const CFormulaTier* CGameDatabase::FindFormulaTier(const CFormula& formula,
                                                   std::string_view tierName)
{
    for (const auto& tier : formula.tiers)
        if (tier->name == tierName)
            return tier.get();
    return nullptr;
}

CGameDatabase::CProducer CGameDatabase::FindProducingTier(std::string_view resourceName) const
{
    CDatabaseIndexes& ix = *m_indexes;
    ix.producers.Sync(
        m_resourceFormulaSets.size(), [&] { ix.producerByName.clear(); },
        [&](std::size_t pos)
        {
            for (const auto& formula : m_resourceFormulaSets[pos]->formulae)
                for (const auto& tier : formula->tiers)
                    ix.producerByName.try_emplace(tier->name, CProducer{formula.get(), tier.get()});
        });
    const CProducer* hit = Lookup(ix.producerByName, resourceName);
    return hit ? *hit : CProducer{};
}

bool CGameDatabase::UsesResource(std::string_view product, std::string_view resource) const
{
    // Depth first over the producing tiers; each product is expanded once, so a cycle of
    // "Resources" formulae ends the walk instead of recursing forever.
    std::vector<std::string_view> pending{product};
    std::unordered_set<std::string_view> seen{product};
    while (!pending.empty())
    {
        const std::string_view name = pending.back();
        pending.pop_back();
        if (name == resource)
            return true;
        const CProducer producer = FindProducingTier(name);
        if (!producer)
            continue;
        for (const CResource& input : producer.tier->resources)
            if (seen.insert(input.name).second)
                pending.push_back(input.name);
    }
    return false;
}

const CTechnique* CGameDatabase::FindTechnique(std::string_view category,
                                               std::string_view name) const
{
    CDatabaseIndexes& ix = *m_indexes;
    ix.techniques.Sync(
        m_techniqueSets.size(),
        [&]
        {
            ix.techniqueByName.clear();
            ix.techniqueByCategory.clear();
        },
        [&](std::size_t pos)
        {
            const CTechniqueSet& set = *m_techniqueSets[pos];
            CNameMap<const CTechnique*>& byName = ix.techniqueByCategory[set.category];
            for (const auto& technique : set.techniques)
            {
                ix.techniqueByName.try_emplace(technique->name, technique.get());
                byName.try_emplace(technique->name, technique.get());
            }
        });
    const CTechnique* const* hit = MatchesEveryCategory(category)
                                       ? Lookup(ix.techniqueByName, name)
                                       : Lookup2(ix.techniqueByCategory, category, name);
    return hit ? *hit : nullptr;
}

const CTechniqueTier* CGameDatabase::FindTechniqueTier(const CTechnique& technique,
                                                       std::string_view tierName)
{
    for (const auto& tier : technique.tiers)
        if (tier->name == tierName)
            return tier.get();
    return nullptr;
}

void CGameDatabase::BuildCategoryLists()
{
    // Ascending byte-wise, without duplicates.
    std::set<std::string> formulaCategories;
    for (const auto& set : m_formulaSets)
        formulaCategories.insert(set->category);
    std::set<std::string> techniqueCategories;
    for (const auto& set : m_techniqueSets)
        techniqueCategories.insert(set->category);
    FormulaCategories.assign(formulaCategories.begin(), formulaCategories.end());
    TechniqueCategories.assign(techniqueCategories.begin(), techniqueCategories.end());
}

std::size_t CGameDatabase::FormulaCount() const
{
    std::size_t count = 0;
    for (const auto& set : m_formulaSets)
        count += set->formulae.size();
    return count;
}

std::size_t CGameDatabase::FormulaTierCount() const
{
    std::size_t count = 0;
    for (const auto& set : m_formulaSets)
        for (const auto& formula : set->formulae)
            count += formula->tiers.size();
    return count;
}

std::size_t CGameDatabase::ResourceCount() const
{
    std::size_t count = 0;
    for (const auto& set : m_formulaSets)
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
                count += tier->resources.size();
    return count;
}

std::size_t CGameDatabase::TechniqueCount() const
{
    std::size_t count = 0;
    for (const auto& set : m_techniqueSets)
        count += set->techniques.size();
    return count;
}

std::size_t CGameDatabase::TechniqueTierCount() const
{
    std::size_t count = 0;
    for (const auto& set : m_techniqueSets)
        for (const auto& technique : set->techniques)
            count += technique->tiers.size();
    return count;
}
