#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Conversion of numbers read from files: C atoi for every ordinary input (leading white
// space, an optional sign, digits up to the first non-digit, 0 without digits), but
// saturating at the int range instead of overflowing.
int Atoi(std::string_view text);

// The same for 64-bit quantities.
std::int64_t Atoi64(std::string_view text);

// printf-style formatting into a std::string (bytes, no locale surprises for %d and %s).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
