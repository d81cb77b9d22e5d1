#pragma once

#include <string>
#include <string_view>
#include <vector>

// The search as you type of the lists: the text is cut into words at blanks, and a record
// matches when each word is found, ignoring case, in one of its texts.
std::string LowerCase(std::string_view text);
// The words of a search text in lower case; none for an empty or blank text.
std::vector<std::string> SearchWords(std::string_view text);
