#pragma once

#include "order/Requirements.h"

#include <string>

class CReportGrid;
class CGameDatabase;
class COrder;
struct CProfile;

// The reports window's contents, in the order of its combo box.
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

// Everything a report is computed from.
struct CReportRequest
{
    const CGameDatabase* db = nullptr;
    const COrder* order = nullptr;
    COrderSelection selection;
    const CProfile* profile = nullptr;
    int content = ReportOrderAndComponents;
    int breakdown = BreakdownComponents;
    int sort = SortByName;
    bool includeIndirect = false;
};

// Clears the grid and fills it with the report of the chosen content.
void GenerateReport(CReportGrid& grid, const CReportRequest& request);

// The row groups of a report, each appended to the grid with its heading.
void AddItemRows(CReportGrid& grid, const CGameDatabase& db, const std::vector<const COrderItem*>& items);
void AddComponentRows(CReportGrid& grid, const CReportRequest& request, const std::vector<const COrderItem*>& items);
void AddBonusRows(CReportGrid& grid, const CReportRequest& request, const std::vector<const COrderItem*>& items);

// Fills the acquired counts of the component and sub-component rows from the order.
void FillAcquired(CReportGrid& grid, const COrder& order);

// "Reports - %d of %d Selected".
std::string ReportTitle(const COrder& order, const COrderSelection& selection);
