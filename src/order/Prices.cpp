#include "order/Prices.h"

#include "base/AtomicFile.h"
#include "base/WordSearch.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/ReportRecords.h"

#include <algorithm>
#include <fstream>
#include <limits>

namespace
{
constexpr std::string_view Bom = "\xEF\xBB\xBF";

// Code points of UTF-8 text, or false at the first byte that is not well-formed UTF-8
// (overlong forms, surrogates and values beyond U+10FFFF included).
template <typename Each> bool DecodeUtf8(std::string_view text, Each&& each)
{
    for (std::size_t i = 0; i < text.size();)
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
        {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (next & 0x3F);
        }
        if ((length == 3 && (point < 0x800 || (point >= 0xD800 && point <= 0xDFFF))) ||
            (length == 4 && (point < 0x10000 || point > 0x10FFFF)))
            return false;
        each(point);
        i += length;
    }
    return true;
}

bool IsUtf8(std::string_view text)
{
    return DecodeUtf8(text, [](char32_t) {});
}

// A name of a UTF-8 file in the database's ISO-8859-1, or as it is when it has a character
// ISO-8859-1 lacks.
std::string NameFromUtf8(std::string_view text)
{
    std::string latin1;
    bool fits = true;
    DecodeUtf8(text,
               [&](char32_t point)
               {
                   fits = fits && point <= 0xFF;
                   latin1 += static_cast<char>(point);
               });
    return fits ? latin1 : std::string(text);
}

std::string NameToUtf8(const std::string& name)
{
    bool beyondLatin1 = false;
    if (DecodeUtf8(name, [&](char32_t point) { beyondLatin1 = beyondLatin1 || point > 0xFF; }) &&
        beyondLatin1)
        return name;
    std::string out;
    for (const char ch : name)
    {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

enum class EPrice
{
    Good,
    Bad,
    TooLarge
};

EPrice ReadPrice(std::string_view text, std::int64_t& hundredths)
{
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view cents =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const auto digits = [](std::string_view part)
    { return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }); };
    if (whole.empty() || !digits(whole) || !digits(cents) ||
        (dot != std::string_view::npos && cents.empty()) || cents.size() > 2)
        return EPrice::Bad;
    constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (const char c : whole)
    {
        if (value > (Max - (c - '0')) / 10)
            return EPrice::TooLarge;
        value = value * 10 + (c - '0');
    }
    const std::int64_t fraction =
        cents.empty() ? 0 : (cents[0] - '0') * 10 + (cents.size() > 1 ? cents[1] - '0' : 0);
    if (value > (Max - fraction) / 100)
        return EPrice::TooLarge;
    hundredths = value * 100 + fraction;
    return EPrice::Good;
}

struct CRecord
{
    int line = 0;
    std::vector<std::string> fields;
};

// RFC 4180 records. Line ends are "\r\n", "\n" or "\r"; inside quotes they belong to the
// field. Leniently, a quote inside an unquoted field and text after a closing quote are kept
// as they stand, and a quote left open runs to the end of the file.
std::vector<CRecord> CsvRecords(std::string_view bytes)
{
    std::vector<CRecord> records;
    CRecord record{1, {std::string()}};
    int line = 1;
    bool quoted = false;
    bool fieldStarted = false;
    for (std::size_t i = 0; i < bytes.size(); ++i)
    {
        const char c = bytes[i];
        const bool lineEnd = c == '\n' || c == '\r';
        if (lineEnd)
        {
            const std::size_t length =
                c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
            if (quoted)
                record.fields.back() += bytes.substr(i, length);
            i += length - 1;
            ++line;
            if (quoted)
                continue;
        }
        else if (quoted)
        {
            if (c != '"')
                record.fields.back() += c;
            else if (i + 1 < bytes.size() && bytes[i + 1] == '"')
                record.fields.back() += '"', ++i;
            else
                quoted = false;
            continue;
        }
        if (lineEnd)
        {
            records.push_back(std::move(record));
            record = {line, {std::string()}};
            fieldStarted = false;
        }
        else if (c == ',')
        {
            record.fields.emplace_back();
            fieldStarted = false;
        }
        else if (c == '"' && !fieldStarted)
            quoted = fieldStarted = true;
        else
        {
            record.fields.back() += c;
            fieldStarted = true;
        }
    }
    if (record.fields.size() > 1 || fieldStarted)
        records.push_back(std::move(record));
    return records;
}

} // namespace

std::optional<std::int64_t> ParsePrice(std::string_view text)
{
    std::int64_t hundredths = 0;
    if (ReadPrice(text, hundredths) != EPrice::Good)
        return std::nullopt;
    return hundredths;
}

CPriceList ParsePriceList(std::string_view bytes, std::vector<CPriceWarning>& warnings)
{
    if (bytes.starts_with(Bom))
        bytes.remove_prefix(Bom.size());
    const bool utf8 = IsUtf8(bytes);
    CPriceList list;
    std::map<std::string, int> lineOf;
    bool first = true;
    for (CRecord& record : CsvRecords(bytes))
    {
        const bool header = first && record.fields == std::vector<std::string>{"name", "price"};
        first = false;
        if (header)
            continue;
        const auto warn = [&](const std::string& text) { warnings.push_back({record.line, text}); };
        if (record.fields.size() != 2)
        {
            warn(std::to_string(record.fields.size()) +
                 (record.fields.size() == 1 ? " field" : " fields") +
                 " instead of a name and a price; skipped");
            continue;
        }
        const std::string name = utf8 ? NameFromUtf8(record.fields[0]) : record.fields[0];
        const std::string& text = record.fields[1];
        std::int64_t hundredths = 0;
        if (name.empty())
            warn("the name is empty; skipped");
        else if (const EPrice read = ReadPrice(text, hundredths); read == EPrice::Bad)
            warn("'" + text + "' is not a price in coins (such as 12 or 3.50); skipped");
        else if (read == EPrice::TooLarge)
            warn("the price '" + text + "' is too large; skipped");
        else
        {
            const auto [it, added] = lineOf.try_emplace(name, record.line);
            if (!added)
            {
                warn("'" + name + "' was priced on line " + std::to_string(it->second) +
                     " too; the later price counts");
                it->second = record.line;
            }
            list.prices[name] = hundredths;
        }
    }
    return list;
}

bool ReadPriceList(const std::filesystem::path& path, CPriceList& list,
                   std::vector<CPriceWarning>& warnings, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    if (!in || std::filesystem::is_directory(path, ec))
    {
        error = "cannot read the price list '" + path.string() + "'";
        return false;
    }
    // Read in pieces up to the limit, so that an endless device stops there.
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > MaxPriceListBytes)
        {
            error = "the price list '" + path.string() + "' is too large (more than " +
                    std::to_string(MaxPriceListBytes >> 20) + " MiB)";
            return false;
        }
    }
    if (in.bad())
    {
        error = "cannot read the price list '" + path.string() + "'";
        return false;
    }
    list = ParsePriceList(bytes, warnings);
    return true;
}

std::string PriceListCsv(const CPriceList& list)
{
    std::string out = "name,price\n";
    for (const auto& [name, hundredths] : list.prices)
        out += CsvQuoted(NameToUtf8(name)) + "," + CoinsText(hundredths) + "\n";
    return out;
}

bool SavePriceList(const CPriceList& list, const std::filesystem::path& path)
{
    return WriteFileAtomically(path, PriceListCsv(list));
}

std::string FixedText(std::int64_t amount, int decimals)
{
    // Unsigned, so that the most negative amount has a magnitude too.
    std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::string digits = std::to_string(magnitude);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
    return (amount < 0 ? "-" : "") + digits;
}

std::vector<CPriceRow> PriceRows(const CGameDatabase& db, const COrder* order,
                                 const CPriceList& list)
{
    std::map<std::string, CPriceRow> rows;
    const auto add = [&](const std::string& name, unsigned source)
    {
        if (!name.empty())
            rows[name].sources |= source;
    };
    for (const auto& component : db.Components())
        add(component->name, CPriceRow::Component);
    for (const CFormulaSet* set : db.ResourceFormulaSets())
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
                add(tier->name, CPriceRow::Produced);
    for (const auto& set : db.FormulaSets())
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
                add(tier->name, CPriceRow::FormulaTier);
    if (order)
        for (const auto& item : order->items)
            add(item->itemName, CPriceRow::OrderItem);
    for (const auto& [name, hundredths] : list.prices)
    {
        CPriceRow& row = rows[name];
        if (row.sources == 0)
            row.sources = CPriceRow::Listed;
        row.price = hundredths;
    }
    std::vector<CPriceRow> result;
    result.reserve(rows.size());
    for (auto& [name, row] : rows)
    {
        row.name = name;
        result.push_back(std::move(row));
    }
    return result;
}

bool PriceRowMatches(const CPriceRow& row, std::string_view text)
{
    const std::string name = LowerCase(row.name);
    for (const std::string& word : SearchWords(text))
        if (name.find(word) == std::string::npos)
            return false;
    return true;
}

bool SetPriceText(CPriceList& list, const std::string& name, std::string_view text)
{
    if (text.empty())
    {
        list.prices.erase(name);
        return true;
    }
    const std::optional<std::int64_t> price = ParsePrice(text);
    if (!price)
        return false;
    list.prices[name] = *price;
    return true;
}
