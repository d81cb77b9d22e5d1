#include "base/NumberText.h"

#include <climits>
#include <cstdarg>
#include <cstdio>

namespace
{
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename T> T ParseSaturating(std::string_view text, T lowest, T highest)
{
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    {
        negative = text[i] == '-';
        ++i;
    }
    T value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    {
        const int digit = text[i] - '0';
        if (negative)
        {
            if (value < (lowest + digit) / 10)
                return lowest;
            value = value * 10 - digit;
        }
        else
        {
            if (value > (highest - digit) / 10)
                return highest;
            value = value * 10 + digit;
        }
    }
    return value;
}
} // namespace

int Atoi(std::string_view text)
{
    return ParseSaturating<int>(text, INT_MIN, INT_MAX);
}

std::int64_t Atoi64(std::string_view text)
{
    return ParseSaturating<std::int64_t>(text, INT64_MIN, INT64_MAX);
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (length > 0)
    {
        out.resize(static_cast<std::size_t>(length));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}
