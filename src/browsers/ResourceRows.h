#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"
#include "order/Requirements.h"

#include <cstdint>
#include <string>
#include <vector>

class CGameDatabase;
struct CFormulaTier;
struct CProfile;
struct CResource;

// The sum of the skill adjustments of the attached techniques found in the database.
std::int64_t TechniqueAdjustment(const CGameDatabase& db,
                                 const std::vector<COrderTechnique>& techniques);

// One resource row (EResourceColumn): name, efficiency, need, skill, minimum, optimum and
// current skill, the need multiplied by count; "Too Low" below the minimum.
CBrowserRow ResourceRow(const CResource& resource, const CProfile* profile, std::int64_t adjust,
                        std::int64_t count);

// The resource grid of a tier in a breakdown mode (0 formula resources, 1 sub-formulae
// along the selected tree path, 2 base resources), then the techniques' components.
// selectedPath holds the labels of the selected tree item and its ancestors below the
// formula (mode 1 only). A sub-formula met again on its own path stays a row of its own.
CBrowserRows ResourceRows(const CGameDatabase& db, const CFormulaTier& tier,
                          const std::vector<COrderTechnique>& techniques, const CProfile* profile,
                          EBreakdownMode mode, const std::vector<std::string>& selectedPath = {});

// The sub-formula branch under a formula's tree item (breakdown mode 1): every resource of
// the tier that some formula tier makes, with that formula's icon and its own branch. A
// product already on its own path is not entered again.
struct CSubFormulaNode
{
    std::string name;
    int iconIndex = 0;
    std::vector<CSubFormulaNode> children;
};
std::vector<CSubFormulaNode> SubFormulaBranch(const CGameDatabase& db, const CFormulaTier& tier);

// The efficiency guide of one resource: every skill level from one below the minimum up to
// the optimum, both raised by the adjustment. The profile's skill is marked on its own row,
// or on the first row when it is lower and on the last when it is higher.
struct CEfficiencyLevel
{
    std::int64_t skill = 0;
    std::int64_t quantity = 0; // per batch
    int efficiency = 0;        // -1 below the minimum
    bool current = false;      // the profile's own skill
};
std::vector<CEfficiencyLevel> EfficiencyGuide(const CResource& resource, const CProfile* profile,
                                              std::int64_t adjust);
