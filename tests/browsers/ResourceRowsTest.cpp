#include "browsers/ResourceRows.h"

#include "BrowserFixture.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::string> Rows(const CBrowserFixture& f, int tier,
                              const std::vector<COrderTechnique>& techniques,
                              const CProfile* profile, int mode,
                              const std::vector<std::string>& path = {},
                              const CFormula* formula = nullptr)
{
    const CFormula& item = formula ? *formula : *f.sword;
    const CBrowserRows rows = ResourceRows(f.db, *item.tiers[static_cast<std::size_t>(tier)],
                                           techniques, profile, static_cast<EBreakdownMode>(mode), path);
    for (const CBrowserRow& row : rows)
    {
        EXPECT_EQ(row.kind, EBrowserRow::Resource);
        EXPECT_EQ(row.cells.size(), std::size_t(ResourceColumns));
    }
    return CellTexts(rows, '\t');
}

using Texts = std::vector<std::string>;
} // namespace

TEST(ResourceRows, FormulaResources)
{
    CBrowserFixture f;
    const CProfile skilled = CBrowserFixture::Profile(30);
    EXPECT_EQ(Rows(f, 0, {}, &skilled, 0), (Texts{"Iron Bar\t50%\t6\tSmithing\t10\t50\t30",
                                                  "Leather\t100%\t2\tSmithing\t0\t10\t30"}));
    EXPECT_EQ(Rows(f, 1, {}, &skilled, 0), (Texts{"Steel Bar\t25%\t5\tSmithing\t20\t60\t30",
                                                  "Coal\t100%\t3\tSmelting\t0\t0\t0"}));
    // Below the minimum: the need at the minimum and at the optimum.
    const CProfile novice = CBrowserFixture::Profile(5);
    EXPECT_EQ(Rows(f, 0, {}, &novice, 0), (Texts{"Iron Bar\tToo Low\t8->4\tSmithing\t10\t50\t5",
                                                 "Leather\t50%\t2\tSmithing\t0\t10\t5"}));
    EXPECT_EQ(Rows(f, 0, {}, nullptr, 0), (Texts{"Iron Bar\t0%\t0\tSmithing\t10\t50\t0",
                                                 "Leather\t0%\t0\tSmithing\t0\t10\t0"}));
}

TEST(ResourceRows, TechniquesRaiseTheSkillsAndAddTheirComponents)
{
    CBrowserFixture f;
    const CProfile skilled = CBrowserFixture::Profile(30);
    EXPECT_EQ(Rows(f, 0, {CBrowserFixture::Technique("Temper", "Tier I")}, &skilled, 0),
              (Texts{"Iron Bar\t37%\t7\tSmithing\t15\t55\t30",
                     "Leather\t100%\t2\tSmithing\t5\t15\t30", "Oil\t-\t3\t(technique)\t-\t-\t-"}));
    const std::vector<COrderTechnique> three = {CBrowserFixture::Technique("Sharpen", "Tier II"),
                                                CBrowserFixture::Technique("Temper", "Tier I"),
                                                CBrowserFixture::Technique("Sharpen", "Razor Edge"),
                                                CBrowserFixture::Technique("Ghost", "Tier I")};
    EXPECT_EQ(Rows(f, 1, three, &skilled, 0),
              (Texts{"Steel Bar\tToo Low\t6->2\tSmithing\t55\t95\t30",
                     "Coal\tToo Low\t3->3\tSmelting\t35\t35\t0",
                     "Whetstone\t-\t3\t(technique)\t-\t-\t-", "Oil\t-\t4\t(technique)\t-\t-\t-"}));
    EXPECT_EQ(TechniqueAdjustment(f.db, three), 35);
}

TEST(ResourceRows, BaseResourcesMergedByName)
{
    CBrowserFixture f;
    const CProfile skilled = CBrowserFixture::Profile(30);
    // 6 iron bars at 3 a batch: 2 batches of 2 ore and 1 coal.
    EXPECT_EQ(Rows(f, 0, {}, &skilled, 2),
              (Texts{"Iron Ore\t100%\t4\tSmelting\t0\t0\t0", "Coal\t100%\t2\tSmelting\t0\t0\t0",
                     "Leather\t100%\t2\tSmithing\t0\t10\t30"}));
    // 5 steel bars: 2 batches of (1 iron bar -> 1 batch of ore and coal) and 2 coal, plus 3 coal.
    EXPECT_EQ(Rows(f, 1, {}, &skilled, 2),
              (Texts{"Iron Ore\t100%\t4\tSmelting\t0\t0\t0", "Coal\t100%\t9\tSmelting\t0\t0\t0"}));
}

TEST(ResourceRows, SubFormulaeAlongTheSelectedPath)
{
    CBrowserFixture f;
    const CProfile skilled = CBrowserFixture::Profile(30);
    EXPECT_EQ(Rows(f, 1, {}, &skilled, 1), Rows(f, 1, {}, &skilled, 0));
    EXPECT_EQ(Rows(f, 1, {}, &skilled, 1, {"Steel Bar"}),
              (Texts{"Iron Bar\t100%\t2\tSmelting\t0\t0\t0", "Coal\t100%\t4\tSmelting\t0\t0\t0",
                     "Coal\t100%\t3\tSmelting\t0\t0\t0"}));
    EXPECT_EQ(Rows(f, 1, {}, &skilled, 1, {"Iron Bar", "Steel Bar"}),
              (Texts{"Iron Ore\t100%\t4\tSmelting\t0\t0\t0", "Coal\t100%\t2\tSmelting\t0\t0\t0",
                     "Coal\t100%\t4\tSmelting\t0\t0\t0", "Coal\t100%\t3\tSmelting\t0\t0\t0"}));
}

TEST(ResourceRows, CyclesEnd)
{
    CBrowserFixture f;
    const CProfile skilled = CBrowserFixture::Profile(30);
    const Texts met = {"Alpha\t100%\t1\tSmelting\t0\t0\t0"};
    EXPECT_EQ(Rows(f, 2, {}, &skilled, 2), met);
    EXPECT_EQ(Rows(f, 2, {}, &skilled, 1, {"Alpha", "Beta"}), met);
}

TEST(SubFormulaBranch, ProducedResourcesNestedAndCyclesCut)
{
    CBrowserFixture f;
    f.db.Edit(
        [](CGameDatabase::CLists& lists)
        {
            lists.formulaSets[2]->formulae[0]->iconIndex = 7;
            lists.formulaSets[2]->formulae[1]->iconIndex = 9;
        });
    const auto describe = [](const std::vector<CSubFormulaNode>& nodes)
    {
        std::string text;
        const auto walk = [&text](const auto& self, const std::vector<CSubFormulaNode>& list,
                                  int depth) -> void
        {
            for (const CSubFormulaNode& node : list)
            {
                text += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.name + " #" +
                        std::to_string(node.iconIndex) + "\n";
                self(self, node.children, depth + 1);
            }
        };
        walk(walk, nodes, 0);
        return text;
    };
    EXPECT_EQ(describe(SubFormulaBranch(f.db, *f.sword->tiers[0])), "Iron Bar #7\n");
    EXPECT_EQ(describe(SubFormulaBranch(f.db, *f.sword->tiers[1])),
              "Steel Bar #7\n  Iron Bar #7\n");
    EXPECT_EQ(describe(SubFormulaBranch(f.db, *f.sword->tiers[2])), "Alpha #9\n  Beta #9\n");
}

TEST(EfficiencyGuide, LevelsFromBelowTheMinimumToTheOptimum)
{
    const CResource ore = CBrowserFixture::Resource("Ore", "Smithing", 1, 10, 8, 14, 4);
    for (const int adjust : {0, 10})
    {
        const CProfile profile = CBrowserFixture::Profile(12 + adjust);
        const auto levels = EfficiencyGuide(ore, &profile, adjust);
        ASSERT_EQ(levels.size(), 6u);
        const std::int64_t quantities[] = {8, 8, 7, 6, 5, 4};
        const int efficiencies[] = {-1, 0, 25, 50, 75, 100};
        for (std::size_t i = 0; i < levels.size(); ++i)
        {
            EXPECT_EQ(levels[i].skill, 9 + adjust + static_cast<int>(i));
            EXPECT_EQ(levels[i].quantity, quantities[i]);
            EXPECT_EQ(levels[i].efficiency, efficiencies[i]);
            EXPECT_EQ(levels[i].current, i == 3);
        }
    }
}
