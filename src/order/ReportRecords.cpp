#include "order/ReportRecords.h"

#include "base/NumberText.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

namespace
{
enum class ESection
{
    None,
    Items,
    Components,
    Bonuses
};

ESection SectionOf(const std::string& heading)
{
    if (heading == "Craft Item")
        return ESection::Items;
    if (heading == "Component Name")
        return ESection::Components;
    if (heading == "Bonus")
        return ESection::Bonuses;
    return ESection::None;
}

// "A/Q" or "(A/Q)" into its two numbers.
void SplitFraction(std::string cell, std::string& acquired, std::string& needed)
{
    if (!cell.empty() && cell.front() == '(')
        cell.erase(0, 1);
    if (!cell.empty() && cell.back() == ')')
        cell.pop_back();
    const std::size_t slash = cell.find('/');
    acquired = slash == std::string::npos ? std::string() : cell.substr(0, slash);
    needed = slash == std::string::npos ? cell : cell.substr(slash + 1);
}

// A number cell as a JSON number, null when it is not one.
std::string JsonNumber(const std::string& text)
{
    if (text.empty())
        return "null";
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size())
        return "null";
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return "null";
    return text;
}
} // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (const char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
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

std::vector<CReportRecord> ReportRecords(const CReportGrid& grid)
{
    std::vector<CReportRecord> records;
    ESection section = ESection::None;
    CReportRecord* item = nullptr;
    for (int row = 0; row < grid.RowCount(); ++row)
    {
        const std::string& first = grid.Cell(row, 0);
        const std::string& second = grid.Cell(row, 1);
        const std::string& third = grid.Cell(row, 2);
        if (grid.Kind(row) == ReportRowKind::Heading)
        {
            section = SectionOf(first);
            item = nullptr;
            continue;
        }
        if (first == "None" || (first.empty() && second.empty() && third.empty()))
        {
            item = nullptr;
            continue;
        }
        CReportRecord record;
        switch (section)
        {
        case ESection::Items:
            if (first.empty())
            {
                if (item && !third.empty())
                    item->detail += (item->detail.empty() ? "" : "; ") + third;
                continue;
            }
            record.kind = "item";
            record.name = first;
            record.needed = second;
            record.detail = third == "(none)" ? std::string() : third;
            records.push_back(record);
            item = &records.back();
            continue;
        case ESection::Components:
            if (grid.Kind(row) == ReportRowKind::Subcomponent)
            {
                const std::size_t dashes = first.find_first_not_of('-');
                record.kind = "subcomponent";
                record.depth = dashes == std::string::npos ? 0 : static_cast<int>(dashes) / 2 - 1;
                record.name = dashes == std::string::npos ? std::string() : first.substr(dashes);
                if (!record.name.empty() && record.name.front() == '>')
                    record.name.erase(0, 1);
            }
            else
            {
                record.kind = "component";
                record.name = first;
                record.detail = second;
            }
            SplitFraction(third, record.acquired, record.needed);
            break;
        case ESection::Bonuses:
            record.kind = "bonus";
            record.name = first;
            record.detail = second;
            record.needed = third;
            break;
        case ESection::None:
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
        out += CsvField(r.name) + "," + r.acquired + "," + r.needed + "," + r.kind + "," + CsvField(r.detail) + "," +
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
        out += "    {\"name\": " + JsonString(r.name) + ", \"acquired\": " + JsonNumber(r.acquired) +
               ", \"needed\": " + JsonNumber(r.needed) + ", \"kind\": " + JsonString(r.kind) +
               ", \"detail\": " + JsonString(r.detail) + ", \"depth\": " + std::to_string(r.depth) + "}";
    }
    out += records.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
