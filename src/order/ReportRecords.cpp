#include "order/ReportRecords.h"

#include "base/NumberText.h"
#include "order/Report.h"

#include <string_view>

std::string CsvQuoted(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string CsvField(const std::string& text)
{
    // A spreadsheet runs a cell that begins like a formula; a leading quote keeps it text.
    const bool formula = !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
    return CsvQuoted(formula ? "'" + text : text);
}

// Latin-1 bytes as a JSON string in UTF-8.
std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char ch : text)
    {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\')
            out += std::string("\\") + ch;
        else if (c < 0x20)
            out += Format("\\u%04x", c);
        else if (c < 0x80)
            out += ch;
        else
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out + "\"";
}

std::vector<CReportRecord> ReportRecords(const CReport& report)
{
    std::vector<CReportRecord> records;
    // The item whose techniques follow; a technique row belongs to the item row above it.
    CReportRecord* item = nullptr;
    for (const CReportRow& row : report.rows)
    {
        CReportRecord record;
        record.name = row.name;
        record.needed = row.needed;
        switch (row.kind)
        {
        case EReportRow::Item:
        case EReportRow::PlainItem:
            record.kind = "item";
            record.detail = row.kind == EReportRow::Item ? row.detail : std::string();
            records.push_back(record);
            item = &records.back();
            continue;
        case EReportRow::Technique:
            if (item && !row.detail.empty())
                item->detail += (item->detail.empty() ? "" : "; ") + row.detail;
            continue;
        case EReportRow::Component:
            record.kind = "component";
            record.detail = IsDone(row) ? "Done" : "";
            record.hasAcquired = true;
            record.acquired = row.acquired;
            break;
        case EReportRow::Subcomponent:
            record.kind = "subcomponent";
            record.depth = row.depth;
            record.hasAcquired = true;
            record.acquired = row.acquired;
            break;
        case EReportRow::Bonus:
            record.kind = "bonus";
            record.detail = row.detail;
            break;
        default:
            item = nullptr;
            continue;
        }
        item = nullptr;
        records.push_back(record);
    }
    return records;
}

std::string ReportCsv(const std::vector<CReportRecord>& records)
{
    std::string out = "name,acquired,needed,kind,detail,depth\n";
    for (const CReportRecord& r : records)
        out += CsvField(r.name) + "," + (r.hasAcquired ? std::to_string(r.acquired) : std::string()) + "," +
               std::to_string(r.needed) + "," + r.kind + "," + CsvField(r.detail) + "," +
               (r.kind == "subcomponent" ? std::to_string(r.depth) : std::string()) + "\n";
    return out;
}

std::string ReportJson(const std::string& title, const std::vector<CReportRecord>& records)
{
    std::string out = "{\n  \"title\": " + JsonString(title) + ",\n  \"rows\": [";
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        const CReportRecord& r = records[i];
        out += i ? ",\n" : "\n";
        out += "    {\"name\": " + JsonString(r.name) +
               ", \"acquired\": " + (r.hasAcquired ? std::to_string(r.acquired) : std::string("null")) +
               ", \"needed\": " + std::to_string(r.needed) + ", \"kind\": " + JsonString(r.kind) +
               ", \"detail\": " + JsonString(r.detail) + ", \"depth\": " + std::to_string(r.depth) + "}";
    }
    out += records.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
