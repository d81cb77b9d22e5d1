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
int Alternate(int index)
{
    return index % 2 == 0 ? ReportRowKind::First : ReportRowKind::Second;
}

CReportRow Row(EReportRow kind, int colour, std::string name = {}, std::int64_t needed = 0, std::string detail = {})
{
    CReportRow row;
    row.kind = kind;
    row.colour = colour;
    row.name = std::move(name);
    row.needed = needed;
    row.detail = std::move(detail);
    return row;
}

void AddNone(CReport& report)
{
    report.rows.push_back(Row(EReportRow::None, ReportRowKind::First, "None"));
}

// Walks the sub-component rows below a producible name in the order they are shown, calling
// row(name, quantity, depth) for each; a name that comes back on its own path is not broken
// down again. Without recursion, and stopping (false) before the rows pass `budget` or the
// deepest one passes MaxSubcomponentDepth: a tree grows with every path, not every name.
template <typename RowFn>
bool WalkSubRows(CBreakdown& breakdown, CBreakdown::CNode& top, std::int64_t n, std::size_t& budget, RowFn row)
{
    if (!top.producer)
        return true;
    struct CFrame
    {
        CBreakdown::CNode* node;
        std::int64_t batches;
        std::size_t next;
    };
    std::vector<CFrame> frames{{&top, BatchesFor(n, top.producer.formula->batchQty), 0}};
    top.onPath = true;
    bool whole = true;
    while (!frames.empty())
    {
        CFrame& frame = frames.back();
        const std::vector<CBreakdown::CInput>& inputs = breakdown.Inputs(*frame.node);
        if (frame.next == inputs.size())
        {
            frame.node->onPath = false;
            frames.pop_back();
            continue;
        }
        const CBreakdown::CInput& input = inputs[frame.next++];
        const int depth = static_cast<int>(frames.size());
        if (budget == 0 || depth > MaxSubcomponentDepth)
        {
            whole = false;
            for (const CFrame& open : frames)
                open.node->onPath = false;
            break;
        }
        --budget;
        const std::int64_t q = SaturatingMultiply(input.units, frame.batches);
        row(*input.name, q, depth);
        CBreakdown::CNode& child = *input.node;
        if (child.producer && !child.onPath)
        {
            child.onPath = true;
            frames.push_back({&child, BatchesFor(q, child.producer.formula->batchQty), 0});
        }
    }
    return whole;
}

std::string Number(std::int64_t value)
{
    return std::to_string(value);
}
} // namespace

void AddItemRows(CReport& report, const CGameDatabase& db, const std::vector<const COrderItem*>& items)
{
    report.rows.push_back(Row(EReportRow::ItemHeading, ReportRowKind::Heading));
    if (items.empty())
    {
        AddNone(report);
        return;
    }
    int index = 0;
    for (const COrderItem* item : items)
    {
        const int colour = Alternate(index++);
        bool first = true;
        for (const COrderTechnique& technique : item->techniques)
        {
            const CTechnique* found = db.FindTechnique(technique.category, technique.name);
            const CTechniqueTier* tier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
            if (!tier)
                continue;
            if (first)
                report.rows.push_back(Row(EReportRow::Item, colour, item->itemName, item->batches, tier->name));
            else
                report.rows.push_back(Row(EReportRow::Technique, colour, {}, 0, tier->name));
            first = false;
        }
        if (first)
            report.rows.push_back(Row(EReportRow::PlainItem, colour, item->itemName, item->batches));
        report.rows.push_back(Row(EReportRow::ItemEnd, colour));
    }
}

void AddComponentRows(CReport& report, const CReportRequest& request, const std::vector<const COrderItem*>& items)
{
    report.rows.push_back(Row(EReportRow::ComponentHeading, ReportRowKind::Heading));
    if (items.empty())
    {
        AddNone(report);
        return;
    }
    bool refused = false;
    const CRequirementList list =
        ComputeComponents(*request.db, items, request.profile, request.breakdown, request.sort, &refused);
    if (refused)
    {
        report.refused = Format(Messages::BaseResourcesTooMany, static_cast<long long>(MaxBreakdownSteps));
        report.rows.push_back(Row(EReportRow::None, ReportRowKind::First, report.refused));
        return;
    }
    CBreakdown breakdown(*request.db, request.profile);
    if (request.breakdown == BreakdownSubcomponents)
    {
        // Counted before a row is made: a tree too large to show is refused, not built.
        std::size_t budget = MaxSubcomponentRows;
        for (const CRequirement& entry : list)
            if (!WalkSubRows(breakdown, breakdown.NodeOf(entry.name), entry.quantity, budget,
                             [](const std::string&, std::int64_t, int) {}))
            {
                report.refused = Format(Messages::SubcomponentsTooMany, static_cast<long long>(MaxSubcomponentRows),
                                        MaxSubcomponentDepth);
                report.rows.push_back(Row(EReportRow::None, ReportRowKind::First, report.refused));
                return;
            }
    }
    int index = 0;
    std::size_t budget = MaxSubcomponentRows;
    for (const CRequirement& entry : list)
    {
        report.rows.push_back(Row(EReportRow::Component, Alternate(index++), entry.name, entry.quantity));
        if (request.breakdown == BreakdownSubcomponents)
            WalkSubRows(breakdown, breakdown.NodeOf(entry.name), entry.quantity, budget,
                        [&report](const std::string& name, std::int64_t q, int depth)
                        {
                            CReportRow row = Row(EReportRow::Subcomponent, ReportRowKind::Subcomponent, name, q);
                            row.depth = depth;
                            report.rows.push_back(std::move(row));
                        });
    }
}

void AddBonusRows(CReport& report, const CReportRequest& request, const std::vector<const COrderItem*>& items)
{
    report.rows.push_back(Row(EReportRow::BonusHeading, ReportRowKind::Heading));
    if (items.empty())
    {
        AddNone(report);
        return;
    }
    const CRequirementList list = ComputeBonuses(*request.db, items, request.bonuses, request.sort);
    int index = 0;
    for (const CRequirement& entry : list)
        report.rows.push_back(Row(EReportRow::Bonus, Alternate(index++), entry.name, entry.quantity, entry.type));
}

CReport GenerateReport(const CReportRequest& request)
{
    CReport report;
    report.content = request.content;
    const std::vector<const COrderItem*> items = SelectedItems(*request.order, request.selection);
    switch (request.content)
    {
    case ReportOrderAndComponents:
        AddItemRows(report, *request.db, items);
        report.rows.push_back(Row(EReportRow::Separator, ReportRowKind::Separator));
        AddComponentRows(report, request, items);
        FillAcquired(report, *request.order);
        break;
    case ReportOrderOnly:
        AddItemRows(report, *request.db, items);
        report.rows.push_back(Row(EReportRow::Separator, ReportRowKind::Separator));
        break;
    case ReportComponentsOnly:
        AddComponentRows(report, request, items);
        FillAcquired(report, *request.order);
        break;
    case ReportBonuses:
        AddBonusRows(report, request, items);
        break;
    default:
        AddNone(report);
        break;
    }
    return report;
}

void FillAcquired(CReport& report, const COrder& order)
{
    for (CReportRow& row : report.rows)
    {
        if (row.kind != EReportRow::Component && row.kind != EReportRow::Subcomponent)
            continue;
        const std::int64_t acquired = order.acquired.empty() ? 0 : AcquiredCount(order, row.name);
        // A count from the file may be negative or beyond the need; show it within 0..need.
        row.acquired = std::clamp<std::int64_t>(acquired, 0, std::max<std::int64_t>(row.needed, 0));
    }
}

bool IsDone(const CReportRow& row)
{
    return row.kind == EReportRow::Component && row.acquired >= row.needed;
}

std::string ShownName(const CReportRow& row)
{
    if (row.kind == EReportRow::Subcomponent)
        return std::string(static_cast<std::size_t>(row.depth) * 2, '-') + "-->" + row.name;
    return row.name;
}

std::string ReportCell(const CReportRow& row, int column)
{
    const auto pick = [column](std::string first, std::string second, std::string third)
    { return column == 0 ? first : column == 1 ? second : column == 2 ? third : std::string(); };
    switch (row.kind)
    {
    case EReportRow::ItemHeading:
        return pick(QT_TRANSLATE_NOOP("Messages", "Craft Item"), QT_TRANSLATE_NOOP("Messages", "Batches"),
                    QT_TRANSLATE_NOOP("Messages", "Techniques"));
    case EReportRow::Item: return pick(row.name, Number(row.needed), row.detail);
    case EReportRow::PlainItem: return pick(row.name, Number(row.needed), "(none)");
    case EReportRow::Technique: return column == 2 ? row.detail : std::string();
    case EReportRow::ComponentHeading:
        return pick(QT_TRANSLATE_NOOP("Messages", "Component Name"), "", QT_TRANSLATE_NOOP("Messages", "Quantity"));
    case EReportRow::Component:
        return column == 0   ? row.name
               : column == 1 ? std::string(IsDone(row) ? "Done" : "")
               : column == 2 ? Number(row.acquired) + "/" + Number(row.needed)
                             : std::string();
    case EReportRow::Subcomponent:
        if (column == 0)
            return ShownName(row);
        if (column == 2)
        {
            // Appended, not "(" + ...: GCC 12 warns of an overlapping copy in that at -O3.
            std::string cell = "(";
            cell += Number(row.acquired);
            cell += '/';
            cell += Number(row.needed);
            cell += ')';
            return cell;
        }
        return {};
    case EReportRow::BonusHeading:
        return pick(QT_TRANSLATE_NOOP("Messages", "Bonus"), QT_TRANSLATE_NOOP("Messages", "Type"),
                    QT_TRANSLATE_NOOP("Messages", "Amount"));
    case EReportRow::Bonus: return pick(row.name, row.detail, Number(row.needed));
    case EReportRow::None: return column == 0 ? row.name : std::string();
    case EReportRow::ItemEnd:
    case EReportRow::Separator: break;
    }
    return {};
}

std::vector<std::string> ReportCells(const CReportRow& row)
{
    return {ReportCell(row, 0), ReportCell(row, 1), ReportCell(row, 2)};
}

CReportGrid ReportGridOf(const CReport& report)
{
    CReportGrid grid(3);
    for (const CReportRow& row : report.rows)
        grid.AddRow(ReportCells(row), row.colour);
    return grid;
}

std::string ReportTitle(const COrder& order, const COrderSelection& selection, const char* format)
{
    const int total = order.ItemCount();
    const int selected = static_cast<int>(SelectedItems(order, selection).size());
    return Format(format, selected, total);
}
