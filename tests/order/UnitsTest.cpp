#include "OrderFixture.h"
#include "order/Units.h"

#include <gtest/gtest.h>

TEST(Units, UnitsNeededAndEfficiencyFollowTheSkill)
{
    const CResource bar = COrderFixture::Resource("Iron Bar", "Smithing", 1, 10, 8, 50, 4);
    const CResource leather = COrderFixture::Resource("Leather", "Smithing", 2, 0, 1, 10, 1);
    const CResource steel = COrderFixture::Resource("Steel Bar", "Smithing", 0, 20, 6, 60, 2);
    const CResource flat = COrderFixture::Resource("Flat", "Smithing", 1, 10, 5, 10, 3);
    const CResource inverted = COrderFixture::Resource("Inverted", "Smithing", 1, 30, 5, 20, 3);
    struct Case
    {
        const CResource* resource;
        int skill;
        int adjust;
        std::int64_t units;
        int efficiency;
    } cases[] = {
        {&bar, 9, 0, 8, -1},       {&bar, 10, 0, 8, 0},     {&bar, 23, 0, 7, 32},   {&bar, 30, 0, 6, 50},
        {&bar, 49, 0, 5, 97},      {&bar, 50, 0, 4, 100},   {&bar, 50, 10, 5, 75},  {&bar, 19, 10, 8, -1},
        {&bar, 60, 10, 4, 100},    {&leather, 0, 0, 2, 0},  {&steel, 40, 0, 4, 50}, {&steel, 20, 0, 6, 0},
        {&flat, 9, 0, 5, -1},      {&flat, 10, 0, 3, 100},  {&inverted, 25, 0, 5, -1},
        {&inverted, 30, 0, 3, 100}, {&bar, 50, 20, 6, 50},
    };
    for (const Case& c : cases)
    {
        const CProfile profile = COrderFixture::Profile(c.skill);
        EXPECT_EQ(UnitsNeeded(*c.resource, &profile, c.adjust), c.units) << c.resource->name << " at " << c.skill;
        EXPECT_EQ(Efficiency(*c.resource, &profile, c.adjust), c.efficiency) << c.resource->name << " at " << c.skill;
    }
    EXPECT_EQ(UnitsNeeded(bar, nullptr, 0), 0);
    EXPECT_EQ(Efficiency(bar, nullptr, 0), 0);
    // A skill the profile does not list counts as 0.
    const CResource other = COrderFixture::Resource("Thread", "Tailoring", 1, 1, 9, 5, 1);
    const CProfile profile = COrderFixture::Profile(100);
    EXPECT_EQ(UnitsNeeded(other, &profile, 0), 9);
}

TEST(Units, BatchesAreRoundedUp)
{
    EXPECT_EQ(BatchesFor(7, 3), 3);
    EXPECT_EQ(BatchesFor(6, 3), 2);
    EXPECT_EQ(BatchesFor(0, 3), 0);
    EXPECT_EQ(BatchesFor(1, 1), 1);
    EXPECT_EQ(BatchesFor(5, 0), 5);
}
