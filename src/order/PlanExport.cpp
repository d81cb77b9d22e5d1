#include "order/PlanExport.h"

#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"

#include <algorithm>
#include <initializer_list>

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
std::string CsvLine(const CCells& cells, std::initializer_list<std::size_t> numbers)
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
    bool craft;
    const CLocationGroup* group;
    const CLocationRow* place;
};

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

void AddPlanRows(CReportGrid& grid, const CPlan& plan,
                 const std::vector<CLocationGroup>* byLocation, std::vector<CAcquiredCell>* acquired)
{
    AddCells(grid,
             {"Craft", "Need", "Acquired", "Remaining", "Batches", "Made", "Leftover", "Depth"},
             ReportRowKind::Heading);
    int index = 0;
    for (const CPlanRow& row : plan.crafts)
    {
        CCells cells = Numbers(row, true);
        cells.insert(cells.begin(), row.name);
        AddPlanRow(grid, cells, Alternate(index++), row, acquired);
    }
    if (plan.crafts.empty())
        AddCells(grid, {"None"}, ReportRowKind::First);
    if (!byLocation)
    {
        AddCells(grid, {"Gather", "Need", "Acquired", "Remaining", "", "", "", "Depth"},
                 ReportRowKind::Heading);
        index = 0;
        for (const CPlanRow& row : plan.gathers)
        {
            CCells cells = Numbers(row, false);
            cells.insert(cells.begin(), row.name);
            AddPlanRow(grid, cells, Alternate(index++), row, acquired);
        }
        if (plan.gathers.empty())
            AddCells(grid, {"None"}, ReportRowKind::First);
        return;
    }
    for (const CLocationGroup& group : *byLocation)
    {
        AddCells(grid,
                 {group.location, "Need", "Acquired", "Remaining", "Locations", "Gathered With", "",
                  "Depth"},
                 ReportRowKind::Heading);
        index = 0;
        for (const CLocationRow& place : group.rows)
        {
            const CPlanRow& row = *place.row;
            // The count of places is shown where there are several.
            AddPlanRow(grid,
                       {row.name, N(row.need), N(row.acquired), N(row.remaining),
                        place.locations > 1 ? N(place.locations) : "", place.gatheredWith, "",
                        N(row.depth)},
                       Alternate(index++), row, acquired);
        }
    }
    if (byLocation->empty())
    {
        AddCells(grid, {"Gather", "Need", "Acquired", "Remaining", "", "", "", "Depth"},
                 ReportRowKind::Heading);
        AddCells(grid, {"None"}, ReportRowKind::First);
    }
}

std::string PlanCsv(const CPlan& plan, const std::vector<CLocationGroup>* byLocation)
{
    std::string out = "kind,name,need,acquired,remaining,batches,made,leftover,depth";
    out += byLocation ? ",location,locations,gathered_with\n" : "\n";
    for (const CExportRow& e : ExportRows(plan, byLocation))
    {
        CCells cells = Numbers(*e.row, e.craft);
        cells.insert(cells.begin(), {e.craft ? "craft" : "gather", e.row->name});
        if (byLocation)
            cells.insert(cells.end(),
                         {e.group ? e.group->location : "", e.place ? N(e.place->locations) : "",
                          e.place ? e.place->gatheredWith : ""});
        out += CsvLine(cells, {2, 3, 4, 5, 6, 7, 8, 10});
    }
    return out;
}

std::string PlanJson(const CPlan& plan, const std::vector<CLocationGroup>* byLocation)
{
    std::vector<std::string> rows;
    for (const CExportRow& e : ExportRows(plan, byLocation))
    {
        const CCells numbers = Numbers(*e.row, e.craft);
        std::vector<std::pair<const char*, std::string>> fields = {
            {"kind", JsonString(e.craft ? "craft" : "gather")},
            {"name", JsonString(e.row->name)},
            {"need", numbers[0]},
            {"acquired", numbers[1]},
            {"remaining", numbers[2]},
            {"batches", JsonNumberOr(numbers[3])},
            {"made", JsonNumberOr(numbers[4])},
            {"leftover", JsonNumberOr(numbers[5])},
            {"depth", numbers[6]}};
        if (byLocation)
        {
            fields.push_back({"location", e.group ? JsonString(e.group->location) : "null"});
            fields.push_back({"locations", e.place ? N(e.place->locations) : "null"});
            fields.push_back(
                {"gathered_with", e.place ? JsonString(e.place->gatheredWith) : "null"});
        }
        rows.push_back(JsonObject(fields));
    }
    return JsonRows("", rows);
}

namespace
{
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
            std::string text = cell.present ? N(cell.units) : "";
            if (cell.present && row.kind == "item")
                text += " (" + EfficiencyText(cell) + ")";
            cells.push_back(cell.cheapest ? text + " *" : text);
        }
        AddCells(grid, cells, row.kind == "total" ? ReportRowKind::Separator : Alternate(index++));
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
                            cell.present ? N(cell.units) : "",
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
                                       {"units", cell.present ? N(cell.units) : "null"},
                                       {"efficiency", !item                 ? "null"
                                                      : cell.efficiency < 0 ? JsonString("Too Low")
                                                                            : N(cell.efficiency)},
                                       {"cheapest", cell.cheapest ? "true" : "false"}}));
        }
    return JsonRows(head.c_str(), rows);
}
