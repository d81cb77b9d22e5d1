#pragma once

#include <string>
#include <vector>

class CReportGrid;

// The report read back from the grid as records, for spreadsheets and scripts.
//   item          name, needed = batches, detail = technique tiers joined with "; "
//   component     name, acquired, needed, detail = "Done" when acquired reaches needed
//   subcomponent  name without its arrow, acquired, needed, depth (1 below a component)
//   bonus         name, needed = amount, detail = "Direct", "Indirect" or "Both"
// Headings, separators and "None" rows give no record; empty numbers are "".
struct CReportRecord
{
    std::string kind;
    std::string name;
    std::string acquired;
    std::string needed;
    std::string detail;
    int depth = 0;
};

std::vector<CReportRecord> ReportRecords(const CReportGrid& grid);

// "name,acquired,needed,kind,detail,depth" then one line per record, "\n" line ends,
// fields quoted when they hold a comma, a quote or a line break. Bytes as in the files.
std::string ReportCsv(const std::vector<CReportRecord>& records);

// {"title": ..., "rows": [{"name", "acquired", "needed", "kind", "detail", "depth"}]} in
// UTF-8; numbers are JSON numbers, missing ones null.
std::string ReportJson(const std::string& title, const std::vector<CReportRecord>& records);

// One CSV field: quoted, with doubled quotes, when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);
// Latin-1 bytes as a quoted JSON string in UTF-8.
std::string JsonString(const std::string& text);
