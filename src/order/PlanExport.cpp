#include "order/PlanExport.h"

#include "order/Prices.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"

#include <algorithm>

namespace
{
using CCells = std::vector<std::string>;

void AddCells(CReportGrid& grid, const CCells& cells, int kind)
{
    grid.AddRow(cells, kind);
}

// A craft or gather row: its third column takes the acquired count.
void AddPlanRow(CReportGrid& grid, const CCells& cells, int kind, const CPlanRow& row,
                std::vector<CAcquiredCell>* acquired)
{
    if (acquired && !row.name.empty())
        acquired->push_back({grid.RowCount(), 2, row.name, row.need});
    AddCells(grid, cells, kind);
}

int Alternate(int index)
{
    return index % 2 == 0 ? ReportRowKind::First : ReportRowKind::Second;
}

std::string N(std::int64_t value)
{
    return std::to_string(value);
}

// need, acquired, remaining, batches, made, leftover, depth; the batch columns only for crafts.
CCells Numbers(const CPlanRow& row, bool craft)
{
    const std::string none;
    return {N(row.need),
            N(row.acquired),
            N(row.remaining),
            craft ? N(row.batches) : none,
            craft ? N(row.made) : none,
            craft ? N(row.leftover) : none,
            N(row.depth)};
}

// The cells at the positions in `numbers` are numbers (or empty) and are written as they are.
std::string CsvLine(const CCells& cells, const std::vector<std::size_t>& numbers)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i)
    {
        if (i)
            line += ',';
        const bool number = std::find(numbers.begin(), numbers.end(), i) != numbers.end();
        line += number ? cells[i] : CsvField(cells[i]);
    }
    return line + "\n";
}

// A JSON object from keys and values already in JSON.
std::string JsonObject(const std::vector<std::pair<const char*, std::string>>& fields)
{
    std::string out = "{";
    for (std::size_t i = 0; i < fields.size(); ++i)
        out += std::string(i ? ", " : "") + "\"" + fields[i].first + "\": " + fields[i].second;
    return out + "}";
}

std::string JsonRows(const char* head, const std::vector<std::string>& rows)
{
    std::string out = "{\n" + std::string(head) + "  \"rows\": [";
    for (std::size_t i = 0; i < rows.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + rows[i];
    return out + (rows.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

std::string JsonNumberOr(const std::string& text)
{
    return text.empty() ? "null" : text;
}

// The plan's rows in the export order: crafts, then gathers (once per place when grouped),
// each with its location columns.
struct CExportRow
{
    const CPlanRow* row;
    bool craft; // a craft or buy row
    const CLocationGroup* group;
    const CLocationRow* place;

    bool Made() const { return craft && !row->bought; }
    const char* Kind() const { return !craft ? "gather" : row->bought ? "buy" : "craft"; }
};

// crafter, unit_cost, cost: the crafter of a craft row, the unit cost of all but unpriced
// gathers, the cost of buy and gather rows.
CCells CostCells(const CPlan& plan, const CPlanRow& row, bool made)
{
    const bool unpriced = !made && !row.bought && !row.priced;
    return {made ? plan.characters[static_cast<std::size_t>(row.crafter)] : "",
            unpriced ? "" : UnitCostText(row.unitCost), made ? "" : CoinsText(row.cost)};
}

const CCells CostHeadings = {"Crafter", "Unit Cost", "Cost"};

std::vector<CExportRow> ExportRows(const CPlan& plan, const std::vector<CLocationGroup>* byLocation)
{
    std::vector<CExportRow> rows;
    for (const CPlanRow& row : plan.crafts)
        rows.push_back({&row, true, nullptr, nullptr});
    if (!byLocation)
        for (const CPlanRow& row : plan.gathers)
            rows.push_back({&row, false, nullptr, nullptr});
    else
        for (const CLocationGroup& group : *byLocation)
            for (const CLocationRow& place : group.rows)
                rows.push_back({place.row, false, &group, &place});
    return rows;
}
} // namespace

int PlanGridColumns(const CPlan& plan)
{
    return plan.costed ? PlanColumns + 3 : PlanColumns;
}

void AddPlanRows(CReportGrid& grid, const CPlan& plan,
                 const std::vector<CLocationGroup>* byLocation,
                 std::vector<CAcquiredCell>* acquired)
{
    // The cost columns follow the plan's eight when prices are in effect.
    const auto withCosts = [&](CCells cells, const CCells& costs)
    {
        if (plan.costed)
            cells.insert(cells.end(), costs.begin(), costs.end());
        return cells;
    };
    const CCells gatherCosts = {"", CostHeadings[1], CostHeadings[2]};
    AddCells(grid,
             withCosts(
                 {"Craft", "Need", "Acquired", "Remaining", "Batches", "Made", "Leftover", "Depth"},
                 CostHeadings),
             ReportRowKind::Heading);
    int index = 0;
    for (const CPlanRow& row : plan.crafts)
    {
        CCells cells = Numbers(row, !row.bought);
        cells.insert(cells.begin(), row.name);
        CCells costs = CostCells(plan, row, !row.bought);
        if (row.bought)
            costs[0] = "(buy)";
        AddPlanRow(grid, withCosts(cells, costs), Alternate(index++), row, acquired);
    }
    if (plan.crafts.empty())
        AddCells(grid, {"None"}, ReportRowKind::First);
    const CCells gatherHeading =
        withCosts({"Gather", "Need", "Acquired", "Remaining", "", "", "", "Depth"}, gatherCosts);
    if (!byLocation)
    {
        AddCells(grid, gatherHeading, ReportRowKind::Heading);
        index = 0;
        for (const CPlanRow& row : plan.gathers)
        {
            CCells cells = Numbers(row, false);
            cells.insert(cells.begin(), row.name);
            AddPlanRow(grid, withCosts(cells, CostCells(plan, row, false)), Alternate(index++), row,
                       acquired);
        }
        if (plan.gathers.empty())
            AddCells(grid, {"None"}, ReportRowKind::First);
    }
    else
    {
        for (const CLocationGroup& group : *byLocation)
        {
            AddCells(grid,
                     withCosts({group.location, "Need", "Acquired", "Remaining", "Locations",
                                "Gathered With", "", "Depth"},
                               gatherCosts),
                     ReportRowKind::Heading);
            index = 0;
            for (const CLocationRow& place : group.rows)
            {
                const CPlanRow& row = *place.row;
                // The count of places is shown where there are several.
                AddPlanRow(grid,
                           withCosts({row.name, N(row.need), N(row.acquired), N(row.remaining),
                                      place.locations > 1 ? N(place.locations) : "",
                                      place.gatheredWith, "", N(row.depth)},
                                     CostCells(plan, row, false)),
                           Alternate(index++), row, acquired);
            }
        }
        if (byLocation->empty())
        {
            AddCells(grid, gatherHeading, ReportRowKind::Heading);
            AddCells(grid, {"None"}, ReportRowKind::First);
        }
    }
    if (plan.costed)
        AddCells(grid, {"Total", "", "", "", "", "", "", "", "", "", CoinsText(plan.total)},
                 ReportRowKind::Separator);
}

std::string PlanCsv(const CPlan& plan, const std::vector<CLocationGroup>* byLocation)
{
    std::string out = "kind,name,need,acquired,remaining,batches,made,leftover,depth";
    out += plan.costed ? ",crafter,unit_cost,cost" : "";
    out += byLocation ? ",location,locations,gathered_with\n" : "\n";
    // need to depth, the unit cost and cost, and the count of locations
    std::vector<std::size_t> numbers = {2, 3, 4, 5, 6, 7, 8};
    if (plan.costed)
        numbers.insert(numbers.end(), {10, 11});
    if (byLocation)
        numbers.push_back(plan.costed ? 13 : 10);
    for (const CExportRow& e : ExportRows(plan, byLocation))
    {
        CCells cells = Numbers(*e.row, e.Made());
        cells.insert(cells.begin(), {e.Kind(), e.row->name});
        if (plan.costed)
        {
            const CCells costs = CostCells(plan, *e.row, e.Made());
            cells.insert(cells.end(), costs.begin(), costs.end());
        }
        if (byLocation)
            cells.insert(cells.end(),
                         {e.group ? e.group->location : "", e.place ? N(e.place->locations) : "",
                          e.place ? e.place->gatheredWith : ""});
        out += CsvLine(cells, numbers);
    }
    if (plan.costed)
    {
        CCells total(byLocation ? 15 : 12);
        total[0] = "total";
        total[11] = CoinsText(plan.total);
        out += CsvLine(total, {11});
    }
    return out;
}

std::string PlanJson(const CPlan& plan, const std::vector<CLocationGroup>* byLocation)
{
    const auto text = [](const std::string& cell)
    { return cell.empty() ? "null" : JsonString(cell); };
    std::vector<std::string> rows;
    for (const CExportRow& e : ExportRows(plan, byLocation))
    {
        const CCells numbers = Numbers(*e.row, e.Made());
        std::vector<std::pair<const char*, std::string>> fields = {
            {"kind", JsonString(e.Kind())},
            {"name", JsonString(e.row->name)},
            {"need", numbers[0]},
            {"acquired", numbers[1]},
            {"remaining", numbers[2]},
            {"batches", JsonNumberOr(numbers[3])},
            {"made", JsonNumberOr(numbers[4])},
            {"leftover", JsonNumberOr(numbers[5])},
            {"depth", numbers[6]}};
        if (plan.costed)
        {
            const CCells costs = CostCells(plan, *e.row, e.Made());
            fields.push_back({"crafter", e.Made() ? JsonString(costs[0]) : "null"});
            fields.push_back({"unit_cost", text(costs[1])});
            fields.push_back({"cost", text(costs[2])});
        }
        if (byLocation)
        {
            fields.push_back({"location", e.group ? JsonString(e.group->location) : "null"});
            fields.push_back({"locations", e.place ? N(e.place->locations) : "null"});
            fields.push_back(
                {"gathered_with", e.place ? JsonString(e.place->gatheredWith) : "null"});
        }
        rows.push_back(JsonObject(fields));
    }
    if (plan.costed)
    {
        std::vector<std::pair<const char*, std::string>> fields = {
            {"kind", JsonString("total")},
            {"name", "null"},
            {"need", "null"},
            {"acquired", "null"},
            {"remaining", "null"},
            {"batches", "null"},
            {"made", "null"},
            {"leftover", "null"},
            {"depth", "null"},
            {"crafter", "null"},
            {"unit_cost", "null"},
            {"cost", JsonString(CoinsText(plan.total))}};
        if (byLocation)
            fields.insert(fields.end(),
                          {{"location", "null"}, {"locations", "null"}, {"gathered_with", "null"}});
        rows.push_back(JsonObject(fields));
    }
    return JsonRows("", rows);
}

namespace
{
// Units, or a cost row's coins.
std::string UnitsText(const CCompareRow& row, const CCompareCell& cell)
{
    return row.kind == "cost" ? CoinsText(cell.units) : N(cell.units);
}

std::string EfficiencyText(const CCompareCell& cell)
{
    return cell.efficiency < 0 ? "Too Low" : N(cell.efficiency) + "%";
}
} // namespace

void AddCompareRows(CReportGrid& grid, const CComparison& comparison)
{
    CCells heading = {"Gather"};
    heading.insert(heading.end(), comparison.profiles.begin(), comparison.profiles.end());
    AddCells(grid, heading, ReportRowKind::Heading);
    int index = 0;
    bool items = false;
    for (const CCompareRow& row : comparison.rows)
    {
        if (row.kind == "item" && !items)
        {
            items = true;
            heading[0] = "Item";
            AddCells(grid, heading, ReportRowKind::Heading);
            index = 0;
        }
        CCells cells = {row.name};
        for (const CCompareCell& cell : row.cells)
        {
            std::string text = cell.present ? UnitsText(row, cell) : "";
            if (cell.present && row.kind == "item")
                text += " (" + EfficiencyText(cell) + ")";
            cells.push_back(cell.cheapest ? text + " *" : text);
        }
        AddCells(grid, cells,
                 row.kind == "total" || row.kind == "cost" ? ReportRowKind::Separator
                                                           : Alternate(index++));
    }
}

std::string CompareCsv(const CComparison& comparison)
{
    std::string out = "kind,name,profile,units,efficiency,cheapest\n";
    for (const CCompareRow& row : comparison.rows)
        for (std::size_t p = 0; p < row.cells.size(); ++p)
        {
            const CCompareCell& cell = row.cells[p];
            const bool item = row.kind == "item" && cell.present;
            out += CsvLine({row.kind, row.name, comparison.profiles[p],
                            cell.present ? UnitsText(row, cell) : "",
                            item ? (cell.efficiency < 0 ? "Too Low" : N(cell.efficiency)) : "",
                            cell.cheapest ? "1" : "0"},
                           {3, 5});
        }
    return out;
}

std::string CompareJson(const CComparison& comparison)
{
    std::string head = "  \"profiles\": [";
    for (std::size_t p = 0; p < comparison.profiles.size(); ++p)
        head += (p ? ", " : "") + JsonString(comparison.profiles[p]);
    head += "],\n";
    std::vector<std::string> rows;
    for (const CCompareRow& row : comparison.rows)
        for (std::size_t p = 0; p < row.cells.size(); ++p)
        {
            const CCompareCell& cell = row.cells[p];
            const bool item = row.kind == "item" && cell.present;
            rows.push_back(JsonObject({{"kind", JsonString(row.kind)},
                                       {"name", JsonString(row.name)},
                                       {"profile", JsonString(comparison.profiles[p])},
                                       {"units", !cell.present        ? "null"
                                                 : row.kind == "cost" ? JsonString(UnitsText(row, cell))
                                                                      : N(cell.units)},
                                       {"efficiency", !item                 ? "null"
                                                      : cell.efficiency < 0 ? JsonString("Too Low")
                                                                            : N(cell.efficiency)},
                                       {"cheapest", cell.cheapest ? "true" : "false"}}));
        }
    return JsonRows(head.c_str(), rows);
}

namespace
{
// name, made, unit cost, price, margin.
CCells ProfitCells(const CProfitRow& row)
{
    return {row.name, N(row.made), UnitCostText(row.unitCost),
            row.price ? CoinsText(*row.price) : "", row.price ? UnitCostText(row.margin) : ""};
}
} // namespace

void AddProfitRows(CReportGrid& grid, const std::vector<CProfitRow>& rows)
{
    AddCells(grid, {"Craft Item", "Made", "Unit Cost", "Price", "Margin"}, ReportRowKind::Heading);
    int index = 0;
    for (const CProfitRow& row : rows)
        AddCells(grid, ProfitCells(row), Alternate(index++));
    if (rows.empty())
        AddCells(grid, {"None"}, ReportRowKind::First);
}

std::string ProfitCsv(const std::vector<CProfitRow>& rows)
{
    std::string out = "name,made,unit_cost,price,margin\n";
    for (const CProfitRow& row : rows)
        out += CsvLine(ProfitCells(row), {1, 2, 3, 4});
    return out;
}

std::string ProfitJson(const std::vector<CProfitRow>& rows)
{
    std::vector<std::string> objects;
    for (const CProfitRow& row : rows)
    {
        const CCells cells = ProfitCells(row);
        objects.push_back(JsonObject({{"name", JsonString(cells[0])},
                                      {"made", cells[1]},
                                      {"unit_cost", JsonString(cells[2])},
                                      {"price", row.price ? JsonString(cells[3]) : "null"},
                                      {"margin", row.price ? JsonString(cells[4]) : "null"}}));
    }
    return JsonRows("", objects);
}
