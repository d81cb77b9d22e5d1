#pragma once

#include "order/AcquiredEdit.h"
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
inline constexpr int PlanColumns = 8;
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
