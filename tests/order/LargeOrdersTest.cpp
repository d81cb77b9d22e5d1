// Large orders against a plain re-computation: linear searches, a bubble sort and a path
// list, so that the indexes behind the sums and the breakdowns are checked for the same
// totals in the same order.
#include "OrderFixture.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/Requirements.h"
#include "order/Units.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
std::string Dump(const CRequirementList& list)
{
    std::string text;
    for (const CRequirement& entry : list)
        text += entry.name + "=" + std::to_string(entry.quantity) + (entry.type.empty() ? "" : ":" + entry.type) + "\n";
    return text;
}

CRequirement* First(CRequirementList& list, const std::string& name)
{
    for (CRequirement& entry : list)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

void PlainAdd(CRequirementList& list, const std::string& name, std::int64_t quantity, const std::string& type = "")
{
    if (CRequirement* entry = First(list, name))
        entry->quantity += quantity;
    else
        list.push_back({name, quantity, type});
}

void PlainAddToAll(CRequirementList& list, const std::string& name, std::int64_t quantity)
{
    bool found = false;
    for (CRequirement& entry : list)
        if (entry.name == name)
        {
            entry.quantity += quantity;
            found = true;
        }
    if (!found)
        list.push_back({name, quantity, ""});
}

void PlainSort(CRequirementList& list, int mode)
{
    for (std::size_t pass = list.size() > 0 ? list.size() - 1 : 0; pass >= 1; --pass)
        for (std::size_t i = 0; i < pass; ++i)
            if (mode == SortByName ? list[i].name > list[i + 1].name : list[i].quantity < list[i + 1].quantity)
                std::swap(list[i], list[i + 1]);
}

void PlainExpand(const CGameDatabase& db, const CProfile* profile, const std::string& name, std::int64_t n,
                 CRequirementList& list, std::vector<std::string>& path)
{
    const auto producer = db.FindProducingTier(name);
    if (producer && std::find(path.begin(), path.end(), name) == path.end())
    {
        path.push_back(name);
        for (const CResource& r : producer.tier->resources)
            PlainExpand(db, profile, r.name, UnitsNeeded(r, profile, 0) * BatchesFor(n, producer.formula->batchQty),
                        list, path);
        path.pop_back();
        return;
    }
    PlainAddToAll(list, name, n);
}

CRequirementList PlainComponents(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                 const CProfile* profile, int breakdown, int sort)
{
    CRequirementList list;
    for (const COrderItem* item : items)
    {
        std::int64_t adjust = 0;
        for (const COrderTechnique& t : item->techniques)
        {
            const CTechnique* technique = db.FindTechnique(t.category, t.name);
            const CTechniqueTier* tier = technique ? ItemTechniqueTier(*technique, t.tierName) : nullptr;
            if (!tier)
                continue;
            adjust += tier->skillAdjust;
            for (const CResource& c : tier->components)
                PlainAdd(list, c.name, std::int64_t{c.qtyAtMin} * item->batches);
        }
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        const CFormulaTier* tier = formula ? ItemFormulaTier(*formula, item->tierName) : nullptr;
        if (tier)
            for (const CResource& r : tier->resources)
                PlainAdd(list, r.name, UnitsNeeded(r, profile, adjust) * item->batches);
    }
    if (breakdown == BreakdownBaseResources)
    {
        CRequirementList base;
        std::vector<std::string> path;
        for (const CRequirement& entry : list)
            PlainExpand(db, profile, entry.name, entry.quantity, base, path);
        list = base;
    }
    PlainSort(list, sort);
    return list;
}

void PlainSubRows(const CGameDatabase& db, const CProfile* profile, const std::string& name, std::int64_t n, int depth,
                  std::vector<std::string>& path, std::string& rows)
{
    const auto producer = db.FindProducingTier(name);
    if (!producer || std::find(path.begin(), path.end(), name) != path.end())
        return;
    path.push_back(name);
    for (const CResource& r : producer.tier->resources)
    {
        const std::int64_t q = UnitsNeeded(r, profile, 0) * BatchesFor(n, producer.formula->batchQty);
        std::string dashes;
        for (int i = 0; i < depth; ++i)
            dashes += "--";
        rows += "34 " + dashes + "-->" + r.name + "||(0/" + std::to_string(q) + ")\n";
        PlainSubRows(db, profile, r.name, q, depth + 1, path, rows);
    }
    path.pop_back();
}

// A database of a few hundred names each: intermediate parts made from ores and other parts
// (some in loops), crafts made from parts, gems and ores, techniques with fluxes.
class LargeOrders : public ::testing::Test, public COrderFixture
{
protected:
    unsigned m_seed = 12345;
    CProfile m_profile = Profile(31, 17);
    COrder m_order;

    int Next(int below)
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return static_cast<int>((m_seed >> 16) % static_cast<unsigned>(below));
    }

    CResource Input(const std::string& name)
    {
        const char* skill = Next(2) ? "Smithing" : "Smelting";
        const int minSkill = Next(30);
        return Resource(name, skill, Next(4), minSkill, 2 + Next(9), minSkill + 1 + Next(30), 1 + Next(2));
    }

    std::string AnyName()
    {
        switch (Next(4))
        {
        case 0:
            return "Ore " + std::to_string(Next(120));
        case 1:
            return "Gem " + std::to_string(Next(60));
        default:
            return "Part " + std::to_string(Next(300));
        }
    }

    void SetUp() override
    {
        CFormulaSet* stock[] = {&AddSet("Stock A", "Resources"), &AddSet("Stock B", "Resources")};
        for (int f = 0; f < 100; ++f)
        {
            CFormula& formula = AddFormula(*stock[f % 2], "Stock " + std::to_string(f), 1 + Next(4));
            for (int t = 0; t < 3; ++t)
            {
                const int part = f * 3 + t;
                CFormulaTier& tier = AddTier(formula, "Part " + std::to_string(part), t + 1);
                // Parts come in groups of six: a part needs ores and later parts of its group,
                // so chains run up to six levels deep; now and then an earlier part of the
                // group closes a loop.
                const int group = part - part % 6;
                for (int r = Next(3); r >= 0; --r)
                {
                    const int other = group + Next(6);
                    const bool loop = other <= part && Next(4) == 0;
                    tier.resources.push_back(Input(other > part || loop ? "Part " + std::to_string(other)
                                                                        : "Ore " + std::to_string(Next(120))));
                }
            }
        }
        // A second producer of a part: the first in list order is the one that counts.
        AddTier(AddFormula(*stock[1], "Late Stock", 2), "Part 5", 1).resources.push_back(Input("Ore 119"));

        CFormulaSet& crafts = AddSet("Arms", "Blacksmithing");
        std::vector<CFormula*> formulae;
        for (int f = 0; f < 250; ++f)
        {
            CFormula& formula = AddFormula(crafts, "Craft " + std::to_string(f), 1);
            formula.attributes.push_back({"bonus", std::to_string(1 + Next(5)) + " Strength"});
            for (int t = 0, tiers = 1 + Next(3); t < tiers; ++t)
            {
                CFormulaTier& tier = AddTier(formula, "Craft " + std::to_string(f) + " " + std::to_string(t), t + 1);
                for (int r = Next(4); r >= 0; --r)
                    tier.resources.push_back(Input(AnyName()));
                if (Next(3) == 0)
                    tier.attributes.push_back({"bonus", std::to_string(Next(4)) + " Bonus " + std::to_string(Next(40))});
            }
            formulae.push_back(&formula);
        }
        for (int t = 0; t < 40; ++t)
        {
            CTechnique& technique = AddTechnique("Technique " + std::to_string(t));
            for (int level = 1; level <= 2; ++level)
            {
                CTechniqueTier& tier = AddTechniqueTier(technique, "Tech " + std::to_string(t) + "/" + std::to_string(level),
                                                        level, Next(15));
                tier.components.push_back(Resource("Flux " + std::to_string(Next(30)), "", 0, 0, 1 + Next(3), 0, 1));
                if (Next(2))
                    tier.attributes.push_back({"bonus", std::to_string(1 + Next(6)) + " Strength"});
                // A direct bonus named like a technique with a percentage bonus: "Both".
                if (t % 10 == 0)
                    tier.attributes.push_back({"bonus", "2 Technique " + std::to_string(t + 5)});
            }
            if (t % 5 == 0)
                technique.attributes.push_back({"percentagestatbonus", std::to_string(5 + t) + "% Strength"});
        }

        for (int i = 0; i < 3000; ++i)
        {
            const CFormula& formula = *formulae[static_cast<std::size_t>(i * 37) % formulae.size()];
            auto item = Item("Item " + std::to_string(i), formula.name,
                             formula.tiers[static_cast<std::size_t>(i) % formula.tiers.size()]->levelName, 1 + Next(7));
            if (i % 4 == 0)
                item->techniques.push_back(
                    {"All", "Technique " + std::to_string(Next(40)), "Tier " + std::string(Next(2) ? "I" : "II")});
            if (i % 9 == 0)
                item->techniques.push_back({"All", "Technique " + std::to_string(Next(40)), "Tier I"});
            m_order.AddItem(std::move(item));
        }
        // Parts ordered directly, so the breakdowns start from producible components too.
        for (int i = 0; i < 300; ++i)
        {
            auto item = Item("Stock " + std::to_string(i % 100), "Stock " + std::to_string(i % 100),
                             i % 3 == 0 ? "Tier I" : "Tier III", 1 + Next(5));
            item->category = "Resources";
            m_order.AddItem(std::move(item));
        }
    }

    std::vector<const COrderItem*> Items() const { return SelectedItems(m_order, {}); }
};
} // namespace

TEST_F(LargeOrders, ComponentsMatchThePlainComputationInEveryMode)
{
    const auto items = Items();
    for (EBreakdownMode breakdown : {BreakdownComponents, BreakdownSubcomponents, BreakdownBaseResources})
        for (ESortMode sort : {SortByName, SortByQuantity})
        {
            const CRequirementList plain = PlainComponents(db, items, &m_profile, breakdown, sort);
            ASSERT_GT(plain.size(), 150u);
            EXPECT_EQ(Dump(ComputeComponents(db, items, &m_profile, breakdown, sort)), Dump(plain))
                << "breakdown " << breakdown << " sort " << sort;
        }
}

TEST_F(LargeOrders, ExpandAddsToEveryEntryOfANameInAFilledList)
{
    CRequirementList list;
    std::vector<std::string> path;
    for (int i = 0; i < 200; ++i)
        list.push_back({i % 2 ? "Ore " + std::to_string(i % 40) : "Part " + std::to_string(i), i, ""});
    CRequirementList plain = list;
    for (int part : {0, 3, 5, 17, 120})
    {
        Expand(db, &m_profile, "Part " + std::to_string(part), 40 + part, list);
        PlainExpand(db, &m_profile, "Part " + std::to_string(part), 40 + part, plain, path);
    }
    // A name taken from the list itself, which grows while it is expanded.
    for (int i = 0; i < 20; ++i)
    {
        const std::size_t at = static_cast<std::size_t>(i) * 2;
        Expand(db, &m_profile, list[at].name, 7, list);
        const std::string name = plain[at].name;
        PlainExpand(db, &m_profile, name, 7, plain, path);
    }
    EXPECT_EQ(Dump(list), Dump(plain));
    EXPECT_GT(list.size(), 220u);
}

TEST_F(LargeOrders, SubcomponentRowsMatchThePlainBreakdown)
{
    CReportRequest request;
    request.db = &db;
    request.order = &m_order;
    request.profile = &m_profile;
    request.breakdown = BreakdownSubcomponents;
    request.sort = SortByQuantity;
    CReport report;
    AddComponentRows(report, request, Items());
    const CReportGrid grid = ReportGridOf(report);

    std::string plain = "30 Component Name||Quantity\n";
    int index = 0;
    for (const CRequirement& entry : PlainComponents(db, Items(), &m_profile, BreakdownSubcomponents, SortByQuantity))
    {
        plain += std::to_string(index++ % 2 ? 32 : 31) + " " + entry.name + "||0/" + std::to_string(entry.quantity) + "\n";
        std::vector<std::string> path;
        PlainSubRows(db, &m_profile, entry.name, entry.quantity, 1, path, plain);
    }
    std::string rows;
    for (const CGridRow& row : grid.Rows())
        rows += std::to_string(row.kind) + " " + row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\n";
    EXPECT_EQ(rows, plain);
    EXPECT_GT(grid.RowCount(), 2000);
}

TEST_F(LargeOrders, BonusesMatchThePlainComputation)
{
    const auto items = Items();
    CRequirementList plain;
    const auto addDirect = [&](const std::vector<CAttribute>& attributes, int batches)
    {
        for (const CAttribute& a : attributes)
            if (a.key == "bonus")
                PlainAdd(plain, a.value.substr(a.value.find(' ') + 1), std::stoll(a.value) * batches, "Direct");
    };
    for (const COrderItem* item : items)
    {
        for (const COrderTechnique& t : item->techniques)
        {
            const CTechnique* technique = db.FindTechnique(t.category, t.name);
            if (const CTechniqueTier* tier = technique ? ItemTechniqueTier(*technique, t.tierName) : nullptr)
                addDirect(tier->attributes, item->batches);
        }
        if (const CFormula* formula = db.FindFormula(item->category, item->formula))
        {
            addDirect(formula->attributes, item->batches);
            if (const CFormulaTier* tier = ItemFormulaTier(*formula, item->tierName))
                addDirect(tier->attributes, item->batches);
        }
    }
    const std::int64_t strength = First(plain, "Strength")->quantity;
    for (const auto& technique : techniques->techniques)
        for (const CAttribute& a : technique->attributes)
            if (a.key == "percentagestatbonus" && a.value.ends_with("% Strength"))
            {
                const std::int64_t amount = std::stoll(a.value) * strength / 1000;
                if (amount <= 0)
                    continue;
                if (CRequirement* entry = First(plain, technique->name))
                {
                    entry->type = "Both";
                    entry->quantity += amount;
                }
                else
                    plain.push_back({technique->name, amount, "Indirect"});
            }
    PlainSort(plain, SortByQuantity);
    ASSERT_GT(plain.size(), 30u);
    ASSERT_NE(First(plain, "Technique 5"), nullptr);
    EXPECT_EQ(First(plain, "Technique 5")->type, "Both");
    EXPECT_EQ(Dump(ComputeBonuses(db, items, BonusesIncludeIndirect, SortByQuantity)), Dump(plain));
}
