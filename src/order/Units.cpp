#include "order/Units.h"

#include "database/Records.h"
#include "profile/ProfileFile.h"

#include <cmath>
#include <limits>

std::int64_t SaturatingMultiply(std::int64_t a, std::int64_t b)
{
    std::int64_t result = 0;
    if (!__builtin_mul_overflow(a, b, &result))
        return result;
    return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b)
{
    std::int64_t result = 0;
    if (!__builtin_add_overflow(a, b, &result))
        return result;
    return b < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

std::int64_t SaturatingSubtract(std::int64_t a, std::int64_t b)
{
    std::int64_t result = 0;
    if (!__builtin_sub_overflow(a, b, &result))
        return result;
    return b > 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
}

std::int64_t UnitsNeeded(const CResource& resource, const CProfile* profile, std::int64_t adjust)
{
    if (!profile)
        return 0;
    const std::int64_t m = resource.units == 0 ? 1 : resource.units;
    const std::int64_t s = SkillLevel(*profile, resource.skill);
    const std::int64_t low = std::int64_t{resource.minSkill} + adjust;
    const std::int64_t high = std::int64_t{resource.optSkill} + adjust;
    if (s < low)
        return SaturatingMultiply(m, resource.qtyAtMin);
    // An optimum at or below the minimum makes every skill from the minimum on optimal.
    if (s >= high || resource.optSkill <= resource.minSkill)
        return SaturatingMultiply(m, resource.qtyAtOpt);
    const double part = static_cast<double>(s - low) / static_cast<double>(std::int64_t{resource.optSkill} - resource.minSkill);
    const double saved = std::trunc(part * static_cast<double>(std::int64_t{resource.qtyAtMin} - resource.qtyAtOpt));
    return SaturatingMultiply(m, std::int64_t{resource.qtyAtMin} - static_cast<std::int64_t>(saved));
}

int Efficiency(const CResource& resource, const CProfile* profile, std::int64_t adjust)
{
    if (!profile)
        return 0;
    const std::int64_t s = SkillLevel(*profile, resource.skill);
    const std::int64_t low = std::int64_t{resource.minSkill} + adjust;
    const std::int64_t high = std::int64_t{resource.optSkill} + adjust;
    if (s < low)
        return -1;
    if (s >= high || resource.optSkill <= resource.minSkill)
        return 100;
    const double percent = static_cast<double>((s - low) * 100) /
                           static_cast<double>(std::int64_t{resource.optSkill} - resource.minSkill);
    return static_cast<int>(std::trunc(percent));
}

std::int64_t BatchesFor(std::int64_t n, std::int64_t perBatch)
{
    if (perBatch <= 0)
        perBatch = 1;
    return n / perBatch + (n % perBatch != 0 ? 1 : 0);
}
