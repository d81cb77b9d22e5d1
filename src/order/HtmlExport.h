#pragma once

#include <filesystem>
#include <string>

struct CReport;
class CReportGrid;

// The report as an HTML page.
std::string HtmlReportText(const CReport& report);

// The plan's page: each heading row opens a table of all the grid's columns.
std::string PlanHtmlText(const CReportGrid& grid);

// Writes a page atomically; false when it could not be written (the caller opens the path
// either way).
bool ExportHtml(const std::string& page, const std::filesystem::path& path);

// Cell text made safe for the page: "&", "<", ">" and '"' as entities.
std::string EscapeHtml(const std::string& text);
