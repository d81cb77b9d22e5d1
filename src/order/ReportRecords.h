#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CReport;

// The report as records, for spreadsheets and scripts.
//   item          name, needed = batches, detail = technique tiers joined with "; "
//   component     name, acquired, needed, detail = "Done" when acquired reaches needed
//   subcomponent  name, acquired, needed, depth (1 below a component)
//   bonus         name, needed = amount, detail = "Direct", "Indirect" or "Both"
// Headings, separators and "None" rows give no record.
struct CReportRecord
{
    std::string kind;
    std::string name;
    bool hasAcquired = false; // items and bonuses have none
    std::int64_t acquired = 0;
    std::int64_t needed = 0;
    std::string detail;
    int depth = 0;
};

std::vector<CReportRecord> ReportRecords(const CReport& report);

// "name,acquired,needed,kind,detail,depth" then one line per record, "\n" line ends,
// fields quoted when they hold a comma, a quote or a line break. Bytes as in the files.
std::string ReportCsv(const std::vector<CReportRecord>& records);

// {"title": ..., "rows": [{"name", "acquired", "needed", "kind", "detail", "depth"}]} in
// UTF-8; numbers are JSON numbers, a missing acquired count null.
std::string ReportJson(const std::string& title, const std::vector<CReportRecord>& records);

// One CSV text field: after a "'" when it begins with "=", "+", "-", "@", a tab or a carriage
// return (a spreadsheet would take it for a formula); quoted, with doubled quotes, when it
// holds a comma, a quote or a line break. Numbers do not go through it.
std::string CsvField(const std::string& text);
// Only the quoting, for files the program reads back byte for byte.
std::string CsvQuoted(const std::string& text);
// Latin-1 bytes as a quoted JSON string in UTF-8.
std::string JsonString(const std::string& text);
