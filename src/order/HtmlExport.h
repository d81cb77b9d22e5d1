#pragma once

#include <filesystem>
#include <string>

class CReportGrid;

// The report as an HTML page, read from the grid; content is the report's content choice.
std::string HtmlReportText(const CReportGrid& grid, int content);

// Writes the page atomically; false when it could not be written (the caller opens the
// path either way).
bool ExportHtml(const CReportGrid& grid, int content, const std::filesystem::path& path);

// Cell text made safe for the page: "&", "<", ">" and '"' as entities.
std::string EscapeHtml(const std::string& text);
