#include "browsers/QuickFilter.h"

#include "browsers/BrowserRows.h"
#include "database/Records.h"

#include <algorithm>

CQuickFilter::CQuickFilter(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size())
    {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        if (end > begin)
            m_words.emplace_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
}

bool CQuickFilter::Matches(const CFormula& formula) const
{
    return std::all_of(m_words.begin(), m_words.end(),
                       [&](const std::string& word)
                       {
                           return ContainsNoCase(formula.name, word) ||
                                  std::any_of(formula.keywords.begin(), formula.keywords.end(),
                                              [&](const std::string& keyword) { return ContainsNoCase(keyword, word); });
                       });
}
