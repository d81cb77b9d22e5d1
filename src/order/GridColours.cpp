#include "order/GridColours.h"

#include <algorithm>
#include <array>

namespace
{
CCellColourKeys Pair(const std::string& stem)
{
    return {stem + "FG", stem + "BG"};
}

// Report rows are coloured per column, "..._COL1_FG" to "..._COL3_BG"; the wider grids of
// the plan and the comparison colour their further columns like the third.
CCellColourKeys ReportColumn(const char* stem, int column)
{
    return Pair(std::string(stem) + "_COL" + std::to_string(std::min(column, 2) + 1) + "_");
}
} // namespace

CCellColourKeys GridCellColourKeys(int kind, int column)
{
    static const std::array<const char*, 7> ResourceColumns = {
        "GRID_RESOURCE_NAME_", "GRID_RESOURCE_EFF_", "GRID_RESOURCE_NEED_", "GRID_RESOURCE_SKILL_",
        "GRID_RESOURCE_MIN_",  "GRID_RESOURCE_OPT_", "GRID_RESOURCE_CURSKILL_"};
    const bool first = column == 0;
    switch (kind)
    {
    case 0: return Pair("GRID_TITLE_");
    case 3: return {first ? "GRID_BONUS_HDR_FG" : "GRID_BONUS_FG", "GRID_BONUS_BG"};
    case 4: return {first ? "GRID_REQUIREMENT_HDR_FG" : "GRID_REQUIREMENT_FG", "GRID_REQUIREMENT_BG"};
    case 5:
        if (column < 0 || column >= static_cast<int>(ResourceColumns.size()))
            return {};
        return Pair(ResourceColumns[static_cast<std::size_t>(column)]);
    case 7: return {"GRID_TECH_FG", {}};
    case 8: return Pair(first ? "GRID_TECHLIST_COL1_" : "GRID_TECHLIST_COL2_");
    case 9: return Pair("GRID_MINORTITLE_");
    case 10: return Pair("GRID_DESCRIPTION_");
    case 11: return {first ? "GRID_EFFECT_HDR_FG" : "GRID_EFFECT_FG", "GRID_EFFECT_BG"};
    case 12: return Pair("GRID_EFFECTTITLE_");
    case 13: return Pair("GRID_EFFECTDESCRIPTION_");
    case 20: return {"GRID_TIERAVAIL_FG", {}};
    case 21: return {"GRID_TIERNOTAVAIL_FG", {}};
    case 22: return Pair(first ? "GRID_TECH_COMPONENT_NAME_" : "GRID_TECH_COMPONENT_AMT_");
    case 30: return ReportColumn("GRID_REPORTTITLE", column);
    case 31: return ReportColumn("GRID_REPORT1", column);
    case 32: return ReportColumn("GRID_REPORT2", column);
    case 33: return ReportColumn("GRID_REPORT_BLANK", column);
    case 34: return ReportColumn("GRID_REPORT_SUB", column);
    default: return {};
    }
}
