#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CGameDatabase;
struct CFormulaTier;
struct CProfile;
struct CResource;

// The resource behind a resource grid row: one of the tier's own resources, raised by the
// attached techniques' adjustment, or, for the rows of sub-formulae and base resources, the
// first resource of that name in a producing tier below it, which the techniques do not reach.
struct CGuideResource
{
    const CResource* resource = nullptr;
    std::int64_t adjust = 0;
};
CGuideResource FindGuideResource(const CGameDatabase& db, const CFormulaTier& tier,
                                 const std::vector<COrderTechnique>& techniques,
                                 std::string_view name);

// What the efficiency level guide shows for one resource: its caption, the skill line
// (range raised by the techniques, the profile's skill) and one row per skill level
// (skill, quantity per batch, efficiency), the profile's own row as a title row.
struct CEfficiencyGuideView
{
    std::string caption;
    std::string info;
    CBrowserRows rows;
    int currentRow = -1; // index into rows; -1 without a profile
};
CEfficiencyGuideView EfficiencyGuideView(const CGuideResource& found, const CProfile* profile);
