#pragma once

#include <cstdint>
#include <string>

class CReportGrid;

// The report as plain text for the clipboard, read from the grid; content is the report's
// content choice. Lines end with CR LF.
std::string CopyReportText(const CReportGrid& grid, int content);

// Reads "%d/%d" as sscanf would; false unless both numbers are there.
bool ParseFraction(const std::string& text, std::int64_t& x, std::int64_t& y);
