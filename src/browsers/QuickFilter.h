#pragma once

#include <string_view>

struct CFormula;

// The formula browser's filter as you type: every word of the text (ignoring case) is found
// in the formula's name or in one of its keywords. An empty text shows everything.
bool QuickFilterMatches(const CFormula& formula, std::string_view text);
