#include "browsers/QuickFilter.h"

#include "base/WordSearch.h"
#include "database/Records.h"

#include <algorithm>
#include <string>

bool QuickFilterMatches(const CFormula& formula, std::string_view text)
{
    const std::string name = LowerCase(formula.name);
    for (const std::string& word : SearchWords(text))
    {
        if (name.find(word) != std::string::npos)
            continue;
        if (std::none_of(formula.keywords.begin(), formula.keywords.end(),
                         [&](const std::string& keyword) { return LowerCase(keyword).find(word) != std::string::npos; }))
            return false;
    }
    return true;
}
