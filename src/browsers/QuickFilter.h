#pragma once

#include <string>
#include <string_view>
#include <vector>

struct CFormula;

// The formula browser's filter as you type: every word of the text (ignoring case) is found
// in the formula's name or in one of its keywords. An empty text shows everything.
class CQuickFilter
{
public:
    explicit CQuickFilter(std::string_view text = {});

    bool Empty() const { return m_words.empty(); }
    bool Matches(const CFormula& formula) const;

private:
    std::vector<std::string> m_words;
};
