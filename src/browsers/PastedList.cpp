#include "browsers/PastedList.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/TechniqueRows.h"
#include "browsers/TierChecks.h"
#include "browsers/WorkingItem.h"
#include "database/GameDatabase.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <unordered_map>

namespace
{
std::string Lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct CProduct
{
    const CFormula* formula = nullptr;
    const CFormulaTier* tier = nullptr;
};

// Every name a line may give, first match in database order kept.
class CNameIndex
{
public:
    explicit CNameIndex(const CGameDatabase& db)
    {
        for (const auto& set : db.FormulaSets())
            for (const auto& formula : set->formulae)
            {
                m_formulae.try_emplace(formula->name, formula.get());
                m_formulaeLower.try_emplace(Lower(formula->name), formula.get());
                for (const auto& tier : formula->tiers)
                {
                    m_products.try_emplace(tier->name, CProduct{formula.get(), tier.get()});
                    m_productsLower.try_emplace(Lower(tier->name), CProduct{formula.get(), tier.get()});
                }
            }
        for (const auto& set : db.TechniqueSets())
            for (const auto& technique : set->techniques)
            {
                m_techniques.try_emplace(Lower(technique->name), technique.get());
                for (const auto& tier : technique->tiers)
                    m_techniqueTiers.try_emplace(Lower(tier->name), std::make_pair(technique.get(), tier.get()));
            }
    }

    // A product keeps its tier; a formula alone gives no tier.
    CProduct Find(const std::string& name) const
    {
        if (auto it = m_products.find(name); it != m_products.end())
            return it->second;
        if (auto it = m_formulae.find(name); it != m_formulae.end())
            return {it->second, nullptr};
        const std::string lower = Lower(name);
        if (auto it = m_productsLower.find(lower); it != m_productsLower.end())
            return it->second;
        if (auto it = m_formulaeLower.find(lower); it != m_formulaeLower.end())
            return {it->second, nullptr};
        return {};
    }

    // "Keen Edge III" names a tier; "Keen Edge" the technique at its highest usable tier.
    std::optional<COrderTechnique> FindTechnique(const std::string& name, const CTechTarget& target) const
    {
        const std::string lower = Lower(name);
        if (auto it = m_techniqueTiers.find(lower); it != m_techniqueTiers.end())
            return TechniqueChoice(std::string(Messages::CategoryAll), *it->second.first, *it->second.second);
        if (auto it = m_techniques.find(lower); it != m_techniques.end())
        {
            const int tier = PreferredTechniqueTier(*it->second, target);
            if (tier >= 0)
                return TechniqueChoice(std::string(Messages::CategoryAll), *it->second,
                                       *it->second->tiers[static_cast<std::size_t>(tier)]);
        }
        return std::nullopt;
    }

private:
    std::unordered_map<std::string, const CFormula*> m_formulae;
    std::unordered_map<std::string, const CFormula*> m_formulaeLower;
    std::unordered_map<std::string, CProduct> m_products;
    std::unordered_map<std::string, CProduct> m_productsLower;
    std::unordered_map<std::string, const CTechnique*> m_techniques;
    std::unordered_map<std::string, std::pair<const CTechnique*, const CTechniqueTier*>> m_techniqueTiers;
};

// "3 x ", "3x " or "3 " at the start: the count, and the rest of the line after it.
bool ReadCount(const std::string& line, long long& count, std::string& rest)
{
    std::size_t i = 0;
    while (i < line.size() && IsDigit(line[i]))
        ++i;
    if (i == 0 || i == line.size())
        return false;
    std::size_t after = i;
    while (after < line.size() && line[after] == ' ')
        ++after;
    if (after < line.size() && (line[after] == 'x' || line[after] == 'X') && after + 1 < line.size() &&
        line[after + 1] == ' ')
        after += 2;
    else if (after == i)
        return false; // "3rd Axe": a name that starts with a digit
    count = Atoi64(std::string_view(line).substr(0, i));
    rest = Trim(std::string_view(line).substr(after));
    return !rest.empty();
}

// "0/12 Blackpine Plank": acquired of needed, as the reports window copies components. In
// the reports' own text also "12 Blackpine Plank" and "12 ---->Blackpine Log": an item there
// is "Name" or "4 x Name".
bool IsComponentLine(const std::string& line, bool reportText)
{
    std::size_t i = 0;
    while (i < line.size() && IsDigit(line[i]))
        ++i;
    if (i == 0 || i >= line.size())
        return false;
    if (reportText && line[i] == ' ')
    {
        const std::size_t rest = i + 1;
        return rest < line.size() && !((line[rest] == 'x' || line[rest] == 'X') && rest + 1 < line.size() &&
                                       line[rest + 1] == ' ');
    }
    if (line[i] != '/')
        return false;
    const std::size_t digits = ++i;
    while (i < line.size() && IsDigit(line[i]))
        ++i;
    return i > digits && i < line.size() && line[i] == ' ';
}

// The reports window ends each line of its text but the last with ", "; the order window
// and a player's list do not.
bool EndsLikeReportLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line.ends_with(", ");
}

// "Tier II " at the start: its number and the rest.
int ReadTierPrefix(const std::string& text, std::string& rest)
{
    if (text.compare(0, 5, "Tier ") != 0 && Lower(text.substr(0, 5)) != "tier ")
        return 0;
    const std::size_t space = text.find(' ', 5);
    if (space == std::string::npos)
        return 0;
    std::string word = text.substr(5, space - 5);
    for (char& c : word)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const int number = TierNumber("Tier " + word);
    if (number > 0)
        rest = Trim(std::string_view(text).substr(space + 1));
    return rest.empty() ? 0 : number;
}

CPastedLine ParseLine(const CGameDatabase& db, const CNameIndex& index, const std::string& raw, bool reportText)
{
    CPastedLine line;
    line.text = raw;
    if (!line.text.empty() && line.text.back() == '\r')
        line.text.pop_back();
    std::string text = Trim(line.text);
    while (!text.empty() && (text.back() == ',' || IsBlank(text.back())))
        text.pop_back();
    if (std::none_of(text.begin(), text.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return line;
    if (IsComponentLine(text, reportText))
    {
        line.kind = EPastedLine::Component;
        return line;
    }
    line.kind = EPastedLine::Unmatched;

    long long count = 1;
    std::string rest;
    if (ReadCount(text, count, rest))
        text = rest;

    // Techniques in parentheses at the end, unless the whole text is a name.
    std::vector<std::string> techniques;
    std::string tierRest;
    const auto known = [&](const std::string& name)
    {
        std::string plain;
        return index.Find(name).formula || (ReadTierPrefix(name, plain) && index.Find(plain).formula);
    };
    const std::size_t open = text.rfind(" (");
    if (!text.empty() && text.back() == ')' && open != std::string::npos && !known(text))
    {
        const std::string inside = text.substr(open + 2, text.size() - open - 3);
        text = Trim(std::string_view(text).substr(0, open));
        std::size_t begin = 0;
        while (begin <= inside.size())
        {
            const std::size_t comma = std::min(inside.find(',', begin), inside.size());
            if (std::string name = Trim(std::string_view(inside).substr(begin, comma - begin)); !name.empty())
                techniques.push_back(name);
            begin = comma + 1;
        }
    }

    CProduct product = index.Find(text);
    if (!product.formula)
    {
        const int tierNumber = ReadTierPrefix(text, tierRest);
        if (tierNumber == 0)
            return line;
        product = index.Find(tierRest);
        if (!product.formula)
            return line;
        product.tier = nullptr;
        for (const auto& tier : product.formula->tiers)
            if (TierNumber(tier->levelName) == tierNumber)
            {
                product.tier = tier.get();
                break;
            }
        if (!product.tier)
            return line;
    }
    if (!product.tier)
    {
        if (product.formula->tiers.empty())
            return line;
        product.tier = product.formula->tiers.front().get();
    }

    const CFormula& formula = *product.formula;
    const CFormulaTier& tier = *product.tier;
    // A count as long as the line allows saturates; every count past the bound is treated
    // alike and said so.
    const long long perBatch = reportText ? 1 : std::max(1, tier.batchQty);
    count = std::max(count, 1LL);
    const long long wanted = count / perBatch + (count % perBatch != 0 ? 1 : 0);
    line.clamped = wanted > COrder::MaxBatches;
    const long long batches = std::min<long long>(wanted, COrder::MaxBatches);
    CWorkingItem working;
    working.item.formula = formula.name;
    working.item.category = formula.category;
    working.item.itemName = tier.name;
    working.item.tierName = ItemTierName(formula, tier);
    working.item.batches = static_cast<int>(batches);
    const CTechTarget target{&formula, &tier};
    for (const std::string& name : techniques)
    {
        const std::optional<COrderTechnique> technique = index.FindTechnique(name, target);
        if (technique && CheckApplyTechnique(db, working, *technique).empty())
            working.item.techniques.push_back(*technique);
        else
            line.droppedTechniques.push_back(name);
    }
    line.kind = EPastedLine::Item;
    line.item = std::move(working.item);
    return line;
}
} // namespace

std::vector<CPastedLine> ParsePastedList(const CGameDatabase& db, const std::string& text)
{
    const CNameIndex index(db);
    std::vector<CPastedLine> lines;
    std::size_t begin = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; // a UTF-8 mark
    bool afterReportLine = false;
    while (begin < text.size())
    {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::string line = text.substr(begin, end - begin);
        // A line of the reports' text, or the last one, which follows such a line.
        const bool reportLine = EndsLikeReportLine(line);
        lines.push_back(ParseLine(db, index, line, reportLine || afterReportLine));
        if (lines.back().kind != EPastedLine::Empty)
            afterReportLine = reportLine;
        begin = end + 1;
    }
    return lines;
}

std::string PastedTextProblem(const std::string& text)
{
    const std::size_t nul = text.find('\0');
    // A byte order mark, or the NUL half of each character of plain UTF-16 text.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
        (nul != std::string::npos && nul < 2 && text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0')))
        return std::string(Messages::PasteUtf16);
    if (nul == std::string::npos)
        return {};
    const long long line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(nul), '\n');
    return Format(Messages::PasteNulBytes, static_cast<int>(std::min<long long>(line, INT32_MAX)));
}

CPasteResult AddPastedList(COrder& order, const CGameDatabase& db, const std::string& text,
                           const std::string& group)
{
    CPasteResult result;
    result.refused = PastedTextProblem(text);
    if (!result.refused.empty())
        return result;
    for (CPastedLine& line : ParsePastedList(db, text))
    {
        switch (line.kind)
        {
        case EPastedLine::Empty:
            break;
        case EPastedLine::Component:
            ++result.componentLines;
            break;
        case EPastedLine::Unmatched:
            result.unmatched.push_back(Trim(line.text));
            break;
        case EPastedLine::Item:
            for (const std::string& technique : line.droppedTechniques)
                result.droppedTechniques.push_back(Trim(line.text) + ": " + technique);
            if (line.clamped)
                result.clamped.push_back(Trim(line.text));
            line.item.group = group;
            order.AddGroup(group);
            result.added.push_back(order.AddItem(std::make_unique<COrderItem>(std::move(line.item))).id);
            break;
        }
    }
    if (!result.added.empty())
        order.modified = true;
    return result;
}

std::string PasteMessage(const CPasteResult& result)
{
    if (!result.refused.empty())
        return result.refused;
    std::string message;
    const auto paragraph = [&](std::string_view heading, const std::vector<std::string>& lines)
    {
        if (lines.empty())
            return;
        if (!message.empty())
            message += "\n\n";
        message += heading;
        for (const std::string& line : lines)
            message += "\n    " + line;
    };
    paragraph(Messages::PasteUnmatched, result.unmatched);
    paragraph(Messages::PasteTechniquesDropped, result.droppedTechniques);
    paragraph(Format(Messages::PasteClamped, COrder::MaxBatches, COrder::MaxBatches), result.clamped);
    if (result.componentLines > 0)
        message += (message.empty() ? "" : "\n\n") + Format(Messages::PasteComponentLines, result.componentLines);
    return message;
}

std::string DragItemText(const COrderItem& item)
{
    std::string text = item.formula + "\n" + item.category + "\n" + item.tierName + "\n" + item.itemName + "\n" +
                       std::to_string(item.batches) + "\n";
    for (const COrderTechnique& technique : item.techniques)
        text += technique.category + "\t" + technique.name + "\t" + technique.tierName + "\n";
    return text;
}

std::optional<COrderItem> ItemFromDragText(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size())
    {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    if (lines.size() < 5 || lines[0].empty())
        return std::nullopt;
    COrderItem item;
    item.formula = lines[0];
    item.category = lines[1];
    item.tierName = lines[2];
    item.itemName = lines[3];
    item.batches = std::clamp(Atoi(lines[4]), COrder::MinBatches, COrder::MaxBatches);
    for (std::size_t i = 5; i < lines.size(); ++i)
    {
        const std::size_t first = lines[i].find('\t');
        const std::size_t second = first == std::string::npos ? first : lines[i].find('\t', first + 1);
        if (second == std::string::npos)
            return std::nullopt;
        item.techniques.push_back(
            {lines[i].substr(0, first), lines[i].substr(first + 1, second - first - 1), lines[i].substr(second + 1)});
    }
    return item;
}
