#include "browsers/QuickFilter.h"

#include "base/WordSearch.h"
#include "browsers/BrowserRows.h"
#include "database/Records.h"

#include <algorithm>

CQuickFilter::CQuickFilter(std::string_view text) : m_words(SearchWords(text)) {}

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
