#include "base/WordSearch.h"

#include <algorithm>
#include <cctype>

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::vector<std::string> SearchWords(std::string_view text)
{
    std::vector<std::string> words;
    for (std::size_t begin = 0; begin < text.size();)
    {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        if (end > begin)
            words.push_back(LowerCase(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    return words;
}
