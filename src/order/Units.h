#pragma once

#include <cstdint>

struct CProfile;
struct CResource;

// Units of a resource one batch takes at the profile's skill, techniques raising the
// skill needed by adjust. No profile: 0.
std::int64_t UnitsNeeded(const CResource& resource, const CProfile* profile, std::int64_t adjust);
// Per cent of the way from minimum to optimum skill; -1 below the minimum; 0 without profile.
int Efficiency(const CResource& resource, const CProfile* profile, std::int64_t adjust);
// Batches needed for n products made perBatch at a time (n / perBatch rounded up).
std::int64_t BatchesFor(std::int64_t n, std::int64_t perBatch);

// Multiplication, addition and subtraction that stop at the 64-bit range instead of
// overflowing.
std::int64_t SaturatingMultiply(std::int64_t a, std::int64_t b);
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);
std::int64_t SaturatingSubtract(std::int64_t a, std::int64_t b);
