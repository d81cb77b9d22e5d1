#include "browsers/QuickFilter.h"

#include "database/Records.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace
{
std::string Lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}
} // namespace

bool QuickFilterMatches(const CFormula& formula, std::string_view text)
{
    const std::string name = Lower(formula.name);
    std::size_t begin = 0;
    while (begin < text.size())
    {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        const std::string word = Lower(text.substr(begin, end - begin));
        begin = end + 1;
        if (word.empty())
            continue;
        if (name.find(word) != std::string::npos)
            continue;
        if (std::none_of(formula.keywords.begin(), formula.keywords.end(),
                         [&](const std::string& keyword) { return Lower(keyword).find(word) != std::string::npos; }))
            return false;
    }
    return true;
}
