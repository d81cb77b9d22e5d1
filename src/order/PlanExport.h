#pragma once

#include "order/AcquiredEdit.h"
#include "order/CostPlan.h"
#include "order/Plan.h"

#include <string>
#include <vector>

class CReportGrid;

// The plan as grid rows (eight columns), as CSV and as JSON. With byLocation the gather
// section is grouped under one heading per place (the grouping of GroupByLocation). cells,
// when given, receives the acquired cell of every craft and gather row.
//   CSV  kind,name,need,acquired,remaining,batches,made,leftover,depth
//        (grouped: then location,locations,gathered_with; a gather row once per place)
//   JSON {"rows": [...]} with the same keys; fields a row does not have are null.
// A plan with prices in effect (plan.costed) adds crafter, unit cost and cost after the
// depth (grid: "Crafter", "Unit Cost", "Cost"; buy rows "(buy)" as crafter), "buy" rows
// among the crafts and a total row last:
//   CSV  kind,name,need,acquired,remaining,batches,made,leftover,depth,crafter,unit_cost,cost
//        unit_cost with four decimals, cost with two; the total row has only kind and cost
//   JSON the same keys, amounts as strings of the same digits
inline constexpr int PlanColumns = 8;
int PlanGridColumns(const CPlan& plan);
void AddPlanRows(CReportGrid& grid, const CPlan& plan,
                 const std::vector<CLocationGroup>* byLocation = nullptr,
                 std::vector<CAcquiredCell>* cells = nullptr);
std::string PlanCsv(const CPlan& plan, const std::vector<CLocationGroup>* byLocation = nullptr);
std::string PlanJson(const CPlan& plan, const std::vector<CLocationGroup>* byLocation = nullptr);

// The comparison of characters: a column per profile, the cheapest cell of a row marked
// " *"; item cells "units (efficiency%)" or "units (Too Low)".
//   CSV  kind,name,profile,units,efficiency,cheapest   (one line per row and profile)
//   JSON {"profiles": [...], "rows": [...]} with the same keys
void AddCompareRows(CReportGrid& grid, const CComparison& comparison);
std::string CompareCsv(const CComparison& comparison);
std::string CompareJson(const CComparison& comparison);

// The margin of each order item.
//   grid "Craft Item|Made|Unit Cost|Price|Margin"
//   CSV  name,made,unit_cost,price,margin (unit cost and margin with four decimals, price
//        with two; price and margin empty without a price)
//   JSON {"rows": [...]} with the same keys, amounts as strings, null where CSV is empty
inline constexpr int ProfitColumns = 5;
void AddProfitRows(CReportGrid& grid, const std::vector<CProfitRow>& rows);
std::string ProfitCsv(const std::vector<CProfitRow>& rows);
std::string ProfitJson(const std::vector<CProfitRow>& rows);
