#include "browsers/QuickFilter.h"

#include "database/Records.h"

#include <algorithm>
#include <cctype>

namespace
{
char LowerChar(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Whether text holds the lower-case word, ignoring case, without copying text.
bool Contains(std::string_view text, std::string_view word)
{
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return LowerChar(a) == b; }) != text.end();
}
} // namespace

CQuickFilter::CQuickFilter(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size())
    {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        std::string word(text.substr(begin, end - begin));
        begin = end + 1;
        if (word.empty())
            continue;
        for (char& c : word)
            c = LowerChar(c);
        m_words.push_back(std::move(word));
    }
}

bool CQuickFilter::Matches(const CFormula& formula) const
{
    return std::all_of(m_words.begin(), m_words.end(),
                       [&](const std::string& word)
                       {
                           return Contains(formula.name, word) ||
                                  std::any_of(formula.keywords.begin(), formula.keywords.end(),
                                              [&](const std::string& keyword) { return Contains(keyword, word); });
                       });
}
