#include "browsers/ResourceRows.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/Requirements.h"
#include "order/Units.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <algorithm>
#include <limits>

namespace
{
std::int64_t Multiplier(const CResource& resource)
{
    return resource.units == 0 ? 1 : resource.units;
}

struct CNeed
{
    const CResource* resource = nullptr;
    std::int64_t adjust = 0;
    std::int64_t need = 0;
    std::int64_t atMin = 0; // for "Too Low": the need at the minimum and at the optimum
    std::int64_t atOpt = 0;
};

CNeed NeedOf(const CResource& resource, const CProfile* profile, std::int64_t adjust,
             std::int64_t count)
{
    return {&resource, adjust, SaturatingMultiply(UnitsNeeded(resource, profile, adjust), count),
            SaturatingMultiply(SaturatingMultiply(Multiplier(resource), resource.qtyAtMin), count),
            SaturatingMultiply(SaturatingMultiply(Multiplier(resource), resource.qtyAtOpt), count)};
}

CBrowserRow Row(const CNeed& need, const CProfile* profile)
{
    const CResource& r = *need.resource;
    const int efficiency = Efficiency(r, profile, need.adjust);
    const long long low = SaturatingAdd(r.minSkill, need.adjust);
    const long long high = SaturatingAdd(r.optSkill, need.adjust);
    const int current = profile ? SkillLevel(*profile, r.skill) : 0;
    const bool tooLow = efficiency < 0;
    return {EBrowserRow::Resource,
            {r.name, tooLow ? std::string(Messages::TooLow) : Format(Messages::EfficiencyFormat, efficiency),
             tooLow ? Format(Messages::TooLowNeedFormat, static_cast<long long>(need.atMin),
                             static_cast<long long>(need.atOpt))
                    : std::to_string(need.need),
             r.skill, std::to_string(low), std::to_string(high), std::to_string(current)}};
}

// Products for one batch count: need / per batch rounded up; no need (no profile) counts
// as the resource's base quantity.
std::int64_t BatchesOf(const CNeed& need, const CGameDatabase::CProducer& producer)
{
    const std::int64_t n = need.need == 0 ? need.atMin : need.need;
    return BatchesFor(n, producer.formula->batchQty);
}

class CResourceWalk
{
public:
    CResourceWalk(const CGameDatabase& db, const CProfile* profile, EBreakdownMode mode,
                  const std::vector<std::string>& selected)
        : m_db(db), m_profile(profile), m_mode(mode), m_selected(selected)
    {
    }

    void Walk(const std::vector<CResource>& resources, std::int64_t adjust, std::int64_t count)
    {
        for (const CResource& resource : resources)
        {
            const CNeed need = NeedOf(resource, m_profile, adjust, count);
            const auto producer = m_db.FindProducingTier(resource.name);
            const bool onPath =
                std::find(m_path.begin(), m_path.end(), resource.name) != m_path.end();
            const bool expand = producer && !onPath &&
                                (m_mode == BreakdownBaseResources ||
                                 (m_mode == BreakdownSubcomponents &&
                                  std::find(m_selected.begin(), m_selected.end(), resource.name) !=
                                      m_selected.end()));
            if (expand)
            {
                m_path.push_back(resource.name);
                const CNeed single = NeedOf(resource, m_profile, adjust, 1);
                Walk(producer.tier->resources, 0,
                     SaturatingMultiply(count, BatchesOf(single, producer)));
                m_path.pop_back();
            }
            else
                Add(need);
        }
    }

    std::vector<CNeed> needs;

private:
    void Add(const CNeed& need)
    {
        if (m_mode == BreakdownBaseResources)
        {
            const auto it = std::find_if(needs.begin(), needs.end(),
                                         [&](const CNeed& n)
                                         { return n.resource->name == need.resource->name; });
            if (it != needs.end())
            {
                it->need = SaturatingAdd(it->need, need.need);
                it->atMin = SaturatingAdd(it->atMin, need.atMin);
                it->atOpt = SaturatingAdd(it->atOpt, need.atOpt);
                return;
            }
        }
        needs.push_back(need);
    }

    const CGameDatabase& m_db;
    const CProfile* m_profile;
    EBreakdownMode m_mode;
    const std::vector<std::string>& m_selected;
    std::vector<std::string> m_path;
};
void AddBranch(const CGameDatabase& db, const CFormulaTier& tier, std::vector<std::string>& path,
               std::vector<CSubFormulaNode>& nodes)
{
    for (const CResource& resource : tier.resources)
    {
        const auto producer = db.FindProducingTier(resource.name);
        if (!producer || std::find(path.begin(), path.end(), resource.name) != path.end())
            continue;
        nodes.push_back({resource.name, producer.formula->iconIndex, {}});
        path.push_back(resource.name);
        AddBranch(db, *producer.tier, path, nodes.back().children);
        path.pop_back();
    }
}
} // namespace

std::vector<CSubFormulaNode> SubFormulaBranch(const CGameDatabase& db, const CFormulaTier& tier)
{
    std::vector<CSubFormulaNode> nodes;
    std::vector<std::string> path{tier.name};
    AddBranch(db, tier, path, nodes);
    return nodes;
}

std::int64_t TechniqueAdjustment(const CGameDatabase& db,
                                 const std::vector<COrderTechnique>& techniques)
{
    std::int64_t adjust = 0;
    for (const COrderTechnique& attached : techniques)
    {
        const CTechnique* technique = db.FindTechnique(attached.category, attached.name);
        if (const CTechniqueTier* tier =
                technique ? ItemTechniqueTier(*technique, attached.tierName) : nullptr)
            adjust = SaturatingAdd(adjust, tier->skillAdjust);
    }
    return adjust;
}

CBrowserRow ResourceRow(const CResource& resource, const CProfile* profile, std::int64_t adjust,
                        std::int64_t count)
{
    return Row(NeedOf(resource, profile, adjust, count), profile);
}

CBrowserRows ResourceRows(const CGameDatabase& db, const CFormulaTier& tier,
                          const std::vector<COrderTechnique>& techniques, const CProfile* profile,
                          EBreakdownMode mode, const std::vector<std::string>& selectedPath)
{
    CResourceWalk walk(db, profile, mode, selectedPath);
    walk.Walk(tier.resources, TechniqueAdjustment(db, techniques), 1);
    CBrowserRows rows;
    for (const CNeed& need : walk.needs)
        rows.push_back(Row(need, profile));

    std::vector<std::pair<std::string, std::int64_t>> consumed;
    for (const COrderTechnique& attached : techniques)
    {
        const CTechnique* technique = db.FindTechnique(attached.category, attached.name);
        const CTechniqueTier* techTier =
            technique ? ItemTechniqueTier(*technique, attached.tierName) : nullptr;
        if (!techTier)
            continue;
        for (const CResource& component : techTier->components)
        {
            auto it =
                std::find_if(consumed.begin(), consumed.end(),
                             [&](const auto& entry) { return entry.first == component.name; });
            if (it == consumed.end())
                consumed.emplace_back(component.name, component.qtyAtMin);
            else
                it->second = SaturatingAdd(it->second, component.qtyAtMin);
        }
    }
    for (const auto& [name, quantity] : consumed)
    {
        const std::string none(Messages::NoValue);
        rows.push_back({EBrowserRow::Resource,
                        {name, none, std::to_string(quantity), std::string(Messages::TechniqueResourceSkill),
                         none, none, none}});
    }
    return rows;
}

std::vector<CEfficiencyLevel> EfficiencyGuide(const CResource& resource, const CProfile* profile,
                                              std::int64_t adjust)
{
    std::vector<CEfficiencyLevel> levels;
    const std::int64_t low = std::int64_t{resource.minSkill} + adjust - 1;
    const std::int64_t high = std::max(low, std::int64_t{resource.optSkill} + adjust);
    // A skill outside the range is marked on the row that stands for it: the one below the
    // minimum, or the optimum.
    const std::int64_t current =
        profile ? std::clamp<std::int64_t>(SkillLevel(*profile, resource.skill), low, high)
                : std::numeric_limits<std::int64_t>::min();
    // Levels a profile can hold; a runaway range is cut short rather than listed forever.
    constexpr std::int64_t MaxLevels = 100000;
    CProfile probe;
    probe.craftSkills.push_back({resource.skill, 0});
    for (std::int64_t skill = low;
         skill <= high && static_cast<std::int64_t>(levels.size()) < MaxLevels; ++skill)
    {
        if (skill < std::numeric_limits<int>::min() || skill > std::numeric_limits<int>::max())
            continue;
        probe.craftSkills.front().value = static_cast<int>(skill);
        levels.push_back({skill, UnitsNeeded(resource, &probe, adjust),
                          Efficiency(resource, &probe, adjust), skill == current});
    }
    return levels;
}
