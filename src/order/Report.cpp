#include "order/Report.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Breakdown.h"
#include "order/Order.h"
#include "order/ReportGrid.h"
#include "order/Units.h"

#include <algorithm>

namespace
{
constexpr const char* ComponentHeading = "Component Name";

int Alternate(int index)
{
    return index % 2 == 0 ? ReportRowKind::First : ReportRowKind::Second;
}

std::string Number(std::int64_t value)
{
    return std::to_string(value);
}

// The sub-component rows below a producible name, stopping where a name comes back on its
// own path.
void AddSubRows(CReportGrid& grid, CBreakdown& breakdown, CBreakdown::CNode& node, std::int64_t n, int depth)
{
    if (!node.producer || node.onPath)
        return;
    const std::int64_t batches = BatchesFor(n, node.producer.formula->batchQty);
    node.onPath = true;
    const std::string arrow = std::string(static_cast<std::size_t>(depth) * 2, '-') + "-->";
    for (const CBreakdown::CInput& input : breakdown.Inputs(node))
    {
        const std::int64_t q = SaturatingMultiply(input.units, batches);
        AddGridRow(grid, arrow + *input.name + "||(0/" + Number(q) + ")", ReportRowKind::Subcomponent);
        AddSubRows(grid, breakdown, *input.node, q, depth + 1);
    }
    node.onPath = false;
}

// The needed quantity of a "A/Q" or "(A/Q)" cell: the number after the "/".
std::int64_t NeededOf(const std::string& cell)
{
    const std::size_t slash = cell.find('/');
    return slash == std::string::npos ? 0 : Atoi64(std::string_view(cell).substr(slash + 1));
}
} // namespace

void AddItemRows(CReportGrid& grid, const CGameDatabase& db, const std::vector<const COrderItem*>& items)
{
    AddGridRow(grid, "Craft Item|Batches|Techniques", ReportRowKind::Heading);
    if (items.empty())
    {
        AddGridRow(grid, "None|", ReportRowKind::First);
        return;
    }
    int index = 0;
    for (const COrderItem* item : items)
    {
        const int kind = Alternate(index++);
        bool first = true;
        for (const COrderTechnique& technique : item->techniques)
        {
            const CTechnique* found = db.FindTechnique(technique.category, technique.name);
            const CTechniqueTier* tier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
            if (!tier)
                continue;
            if (first)
                AddGridRow(grid, Format("%s|%d|%s", item->itemName.c_str(), item->batches, tier->name.c_str()), kind);
            else
                AddGridRow(grid, "||" + tier->name, kind);
            first = false;
        }
        if (first)
            AddGridRow(grid, Format("%s|%d|(none)", item->itemName.c_str(), item->batches), kind);
        AddGridRow(grid, "|", kind);
    }
}

void AddComponentRows(CReportGrid& grid, const CReportRequest& request, const std::vector<const COrderItem*>& items)
{
    AddGridRow(grid, "Component Name||Quantity", ReportRowKind::Heading);
    if (items.empty())
    {
        AddGridRow(grid, "None|", ReportRowKind::First);
        return;
    }
    const CRequirementList list = ComputeComponents(*request.db, items, request.profile, request.breakdown, request.sort);
    CBreakdown breakdown(*request.db, request.profile);
    int index = 0;
    for (const CRequirement& entry : list)
    {
        AddGridRow(grid, entry.name + "||0/" + Number(entry.quantity), Alternate(index++));
        if (request.breakdown == BreakdownSubcomponents)
            AddSubRows(grid, breakdown, breakdown.NodeOf(entry.name), entry.quantity, 1);
    }
}

void AddBonusRows(CReportGrid& grid, const CReportRequest& request, const std::vector<const COrderItem*>& items)
{
    AddGridRow(grid, "Bonus|Type|Amount", ReportRowKind::Heading);
    if (items.empty())
    {
        AddGridRow(grid, "None|", ReportRowKind::First);
        return;
    }
    const CRequirementList list = ComputeBonuses(*request.db, items, request.includeIndirect, request.sort);
    int index = 0;
    for (const CRequirement& entry : list)
        AddGridRow(grid, entry.name + "|" + entry.type + "|" + Number(entry.quantity), Alternate(index++));
}

void GenerateReport(CReportGrid& grid, const CReportRequest& request)
{
    grid.Clear();
    const std::vector<const COrderItem*> items = SelectedItems(*request.order, request.selection);
    switch (request.content)
    {
    case ReportOrderAndComponents:
        AddItemRows(grid, *request.db, items);
        AddGridRow(grid, "|", ReportRowKind::Separator);
        AddComponentRows(grid, request, items);
        FillAcquired(grid, *request.order);
        break;
    case ReportOrderOnly:
        AddItemRows(grid, *request.db, items);
        AddGridRow(grid, "|", ReportRowKind::Separator);
        break;
    case ReportComponentsOnly:
        AddComponentRows(grid, request, items);
        FillAcquired(grid, *request.order);
        break;
    case ReportBonuses:
        AddBonusRows(grid, request, items);
        break;
    default:
        AddGridRow(grid, "None||", ReportRowKind::First);
        break;
    }
}

void FillAcquired(CReportGrid& grid, const COrder& order)
{
    // Component rows are the data rows below the components heading; the heading may be
    // row 0 ("Components Only") or follow the item rows.
    bool inComponents = grid.RowCount() > 0 && grid.Cell(0, 0) == ComponentHeading;
    for (int row = 1; row < grid.RowCount(); ++row)
    {
        const int kind = grid.Kind(row);
        if (kind == ReportRowKind::Heading)
        {
            inComponents = grid.Cell(row, 0) == ComponentHeading;
            continue;
        }
        const std::string& third = grid.Cell(row, 2);
        if (!inComponents || third.find('/') == std::string::npos)
            continue;
        std::string_view name = grid.Cell(row, 0);
        const std::int64_t needed = NeededOf(third);
        if (kind == ReportRowKind::Subcomponent)
        {
            // "---->Name": the dashes and the ">" after them are not part of the name.
            std::size_t start = name.find_first_not_of('-');
            if (start != std::string_view::npos && name[start] == '>')
                ++start;
            name = start == std::string_view::npos ? std::string_view() : name.substr(start);
        }
        const std::int64_t acquired = order.acquired.empty() ? 0 : AcquiredCount(order, std::string(name));
        // A count from the file may be negative or beyond the need; show it within 0..need.
        const std::int64_t have = std::clamp<std::int64_t>(acquired, 0, std::max<std::int64_t>(needed, 0));
        if (kind == ReportRowKind::Subcomponent)
            grid.SetCell(row, 2, "(" + Number(have) + "/" + Number(needed) + ")");
        else
        {
            grid.SetCell(row, 2, Number(have) + "/" + Number(needed));
            grid.SetCell(row, 1, have >= needed ? "Done" : "");
        }
    }
}

std::string ReportTitle(const COrder& order, const COrderSelection& selection)
{
    const int total = order.ItemCount();
    const int selected = static_cast<int>(SelectedItems(order, selection).size());
    return Format(Messages::ReportsTitleFormat, selected, total);
}
