#pragma once

#include "base/Messages.h"
#include "order/Requirements.h"

#include <cstdint>
#include <string>
#include <vector>

class CReportGrid;
class CGameDatabase;
class COrder;
struct CProfile;

// The reports window's contents, in the order of its combo box (stored as these numbers).
enum EReportContent
{
    ReportOrderAndComponents = 0,
    ReportOrderOnly = 1,
    ReportComponentsOnly = 2,
    ReportBonuses = 3,
    // Shown by the plan's own rows (PlanExport.h); GenerateReport leaves it to them.
    ReportPlan = 4
};

// Colour indices of report rows.
namespace ReportRowKind
{
inline constexpr int Heading = 30;
inline constexpr int First = 31;
inline constexpr int Second = 32;
inline constexpr int Separator = 33;
inline constexpr int Subcomponent = 34;
} // namespace ReportRowKind

// What a report row is; every format is rendered from it.
enum class EReportRow
{
    ItemHeading,      // "Craft Item|Batches|Techniques"
    Item,             // an item with its first technique: name, needed = batches, detail = tier
    PlainItem,        // an item without a technique: name, needed = batches
    Technique,        // a further technique of the item above: detail = tier
    ItemEnd,          // the empty row after each item
    Separator,        // the empty row between the sections
    ComponentHeading, // "Component Name||Quantity"
    Component,        // name, acquired, needed
    Subcomponent,     // name, acquired, needed, depth (1 below a component)
    BonusHeading,     // "Bonus|Type|Amount"
    Bonus,            // name, needed = amount, detail = "Direct", "Indirect" or "Both"
    None              // "None": nothing selected, or a content there is no report for
};

struct CReportRow
{
    EReportRow kind = EReportRow::None;
    std::string name;
    std::int64_t acquired = 0; // never below 0 nor above needed once filled
    std::int64_t needed = 0;
    int depth = 0;
    std::string detail;
    int colour = ReportRowKind::First;
};

struct CReport
{
    EReportContent content = ReportOrderAndComponents;
    std::vector<CReportRow> rows;
    // Why the components were not listed (a sub-component tree too large to show); the
    // rows then say the same in place of the components.
    std::string refused;
};

// A sub-component tree grows with every path to a name, not with the names: one with more
// rows than this, or deeper, is refused rather than built.
inline constexpr std::size_t MaxSubcomponentRows = 1000000;
inline constexpr int MaxSubcomponentDepth = 100;

// Everything a report is computed from.
struct CReportRequest
{
    const CGameDatabase* db = nullptr;
    const COrder* order = nullptr;
    COrderSelection selection;
    const CProfile* profile = nullptr;
    EReportContent content = ReportOrderAndComponents;
    EBreakdownMode breakdown = BreakdownComponents;
    ESortMode sort = SortByName;
    EBonusMode bonuses = BonusesDirect;
};

// The report of the chosen content, acquired counts filled in.
CReport GenerateReport(const CReportRequest& request);

// The row groups of a report, each with its heading.
void AddItemRows(CReport& report, const CGameDatabase& db, const std::vector<const COrderItem*>& items);
void AddComponentRows(CReport& report, const CReportRequest& request, const std::vector<const COrderItem*>& items);
void AddBonusRows(CReport& report, const CReportRequest& request, const std::vector<const COrderItem*>& items);

// Fills the acquired counts of the component and sub-component rows from the order.
void FillAcquired(CReport& report, const COrder& order);

// A component row whose acquired count reaches its need.
bool IsDone(const CReportRow& row);
// The first cell as the grid shows it: sub-components behind their arrow ("---->Name").
std::string ShownName(const CReportRow& row);
// The three cells of a row as the grid shows them, and one of them (column 0 to 2).
std::vector<std::string> ReportCells(const CReportRow& row);
std::string ReportCell(const CReportRow& row, int column);

// The report as the grid shows it, one grid row per report row.
CReportGrid ReportGridOf(const CReport& report);

// "Reports - %d of %d Selected".
// The format may be a translation of ReportsTitleFormat, with the same conversions.
std::string ReportTitle(const COrder& order, const COrderSelection& selection,
                        const char* format = Messages::ReportsTitleFormat);
