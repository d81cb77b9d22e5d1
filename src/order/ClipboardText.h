#pragma once

#include <string>

struct CReport;
class CReportGrid;

// The report as plain text for the clipboard. Lines end with CR LF.
std::string CopyReportText(const CReport& report);

// The plan's table for pasting: cells separated by tabs, empty cells at the end dropped.
std::string PlanClipboardText(const CReportGrid& grid);
