#pragma once

#include "browsers/BrowserRows.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CGameDatabase;
struct CComponent;
struct CFormula;
struct CFormulaTier;

// The component browser's tree: one entry per component type, ascending byte-wise (those
// without a type last), each with its components in list order. Components carry their position in
// the component list, so two components of the same name each show their own record.
struct CComponentTypeEntry
{
    std::string type;  // as in the file; empty for components without a type
    std::string label; // "Ore (4)"
    std::vector<std::size_t> components;
};
struct CComponentTree
{
    std::vector<CComponentTypeEntry> types;
    std::string foundText; // "87 Components"
};
CComponentTree BuildComponentTree(const CGameDatabase& db);

// The details grid of a component (label and value): title, description, type, tier,
// bulk, the values, then each gather method with its tool, rate, skill range and bonuses.
CBrowserRows ComponentDetailRows(const CComponent& component);

// The locations grid: one row per location, or a single "None" row.
CBrowserRows LocationRows(const CComponent& component);

// Every formula tier that needs a resource, directly or through "Resources" sub-formulae:
// the tiers for which UsesResource holds for one of their resources. Built once per
// database from a reverse index (resource name -> the tiers that list it), so a lookup
// costs the uses it finds, not a walk over every formula.
struct CComponentUse
{
    const CFormula* formula = nullptr;
    const CFormulaTier* tier = nullptr;
    std::string through; // the tier's resource that leads to the component; empty when direct
};
class CComponentUses
{
public:
    explicit CComponentUses(const CGameDatabase& db);

    // In database order: formula sets, their formulae, each formula's tiers.
    std::vector<CComponentUse> UsesOf(std::string_view resource) const;

private:
    struct CTierEntry
    {
        const CFormula* formula;
        const CFormulaTier* tier;
        bool producer; // the tier FindProducingTier gives for its own name
    };
    std::vector<CTierEntry> m_tiers;
    // Resource name -> positions in m_tiers of the tiers that list it, ascending. The keys
    // view the database's own names.
    std::unordered_map<std::string_view, std::vector<std::size_t>> m_users;
};

// The uses grid (used by, category, tier, through), or a single "None" row.
CBrowserRows UseRows(const std::vector<CComponentUse>& uses);
