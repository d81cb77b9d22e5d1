#include "browsers/EfficiencyGuide.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/ResourceRows.h"
#include "database/GameDatabase.h"
#include "order/Requirements.h"
#include "order/Units.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <unordered_set>

CGuideResource FindGuideResource(const CGameDatabase& db, const CFormulaTier& tier,
                                 const std::vector<COrderTechnique>& techniques,
                                 std::string_view name)
{
    for (const CResource& resource : tier.resources)
        if (resource.name == name)
            return {&resource, TechniqueAdjustment(db, techniques)};
    // Breadth first below the tier, so the nearest sub-formula wins; each product once.
    std::vector<const CFormulaTier*> level{&tier};
    std::unordered_set<const CFormulaTier*> seen{&tier};
    while (!level.empty())
    {
        std::vector<const CFormulaTier*> next;
        for (const CFormulaTier* current : level)
            for (const CResource& resource : current->resources)
            {
                const CGameDatabase::CProducer producer = db.FindProducingTier(resource.name);
                if (!producer || !seen.insert(producer.tier).second)
                    continue;
                for (const CResource& input : producer.tier->resources)
                    if (input.name == name)
                        return {&input, 0};
                next.push_back(producer.tier);
            }
        level = std::move(next);
    }
    return {};
}

CEfficiencyGuideView EfficiencyGuideView(const CGuideResource& found, const CProfile* profile)
{
    CEfficiencyGuideView view;
    if (!found.resource)
    {
        view.caption = std::string(Messages::GuideTitle);
        view.info = std::string(Messages::GuideNoResource);
        return view;
    }
    const CResource& resource = *found.resource;
    view.caption = Format(Messages::GuideTitleFormat, resource.name.c_str());
    view.info = Format(Messages::GuideSkillFormat, resource.skill.c_str(),
                       static_cast<long long>(SaturatingAdd(resource.minSkill, found.adjust)),
                       static_cast<long long>(SaturatingAdd(resource.optSkill, found.adjust)));
    if (found.adjust != 0)
        view.info += Format(Messages::GuideAdjustFormat, static_cast<long long>(found.adjust));
    view.info += '\n';
    view.info += profile
                     ? Format(Messages::GuideCurrentFormat, SkillLevel(*profile, resource.skill))
                     : std::string(Messages::GuideNoProfile);

    for (const CEfficiencyLevel& level : EfficiencyGuide(resource, profile, found.adjust))
    {
        if (level.current)
            view.currentRow = static_cast<int>(view.rows.size());
        view.rows.push_back({level.current ? EBrowserRow::Title : EBrowserRow::Resource,
                             {std::to_string(level.skill), std::to_string(level.quantity),
                              level.efficiency < 0 ? std::string(Messages::TooLow)
                                                   : Format(Messages::EfficiencyFormat, level.efficiency)}});
    }
    return view;
}
