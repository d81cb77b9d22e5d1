#include "BrowserFixture.h"

#include "browsers/OrderWizard.h"
#include "browsers/PastedList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
CWizardTemplate SmithTemplate()
{
    CWizardTemplate wizard;
    wizard.school = "Smith";
    wizard.type = "Craft";
    wizard.races = {"Human"};
    wizard.slots = {"Right Hand"};
    wizard.formulaSets = {{"Blades", "Swords.", "sword", 2, 1},
                          {"Helms", "Helms.", "", 1, 0},
                          {"Nowhere", "Gone.", "", 3, 0},
                          {"Smelting", "Bars.", "zzz", 4, 0}};
    wizard.techs = {"Ghost", "Sharpen", "Temper"};
    return wizard;
}

std::string Techniques(const std::vector<COrderTechnique>& techniques)
{
    std::string text;
    for (const COrderTechnique& technique : techniques)
        text += technique.name + "/" + technique.tierName + ";";
    return text;
}
} // namespace

TEST(OrderWizard, TemplatesMatchTheCharacterAndTheirTiers)
{
    CBrowserFixture f;
    f.db.wizards.push_back(std::make_unique<CWizardTemplate>(SmithTemplate()));
    CWizardTemplate& smith = *f.db.wizards.back();
    CProfile profile = CBrowserFixture::Profile(0);
    profile.craftLevels = {{"Smith", 18, 2, 5}};
    profile.adventureLevels = {{"Smith", 40}};

    struct CCase
    {
        CWizardWho who;
        int lowest, highest; // 0: the template is not offered
    };
    const CCase cases[] = {
        {{&profile, "", "", "", 1}, 2, 5},
        {{&profile, "Human", "Craft", "Smith", 1}, 2, 5},
        {{nullptr, "Human", "Craft", "Smith", 12}, 3, 3},
        {{nullptr, "", "", "", 0}, 1, 1},
        {{nullptr, "", "", "", 99}, 10, 10},
        {{nullptr, "Khutit", "", "", 10}, 0, 0},
        {{nullptr, "Human", "Adventure", "", 10}, 0, 0},
        {{nullptr, "Human", "", "Mason", 10}, 0, 0},
    };
    for (const CCase& c : cases)
    {
        SCOPED_TRACE(c.who.race + "/" + c.who.type + "/" + c.who.school + "/" + std::to_string(c.who.level));
        const auto offered = MatchingTemplates(f.db, c.who);
        ASSERT_EQ(offered.size(), c.lowest ? 1u : 0u);
        if (!c.lowest)
            continue;
        const std::optional<CTierRange> range = WorkableTiers(c.who, *offered.front());
        ASSERT_TRUE(range);
        EXPECT_EQ(range->lowest, c.lowest);
        EXPECT_EQ(range->highest, c.highest);
    }

    // Work tiers never filled in fall back on the level; a school the profile lacks offers nothing.
    profile.craftLevels = {{"Smith", 12, 0, 0}};
    EXPECT_EQ(WorkableTiers({&profile, "", "", "", 1}, smith)->highest, 3);
    profile.craftLevels.clear();
    EXPECT_FALSE(WorkableTiers({&profile, "", "", "", 1}, smith));
    EXPECT_TRUE(MatchingTemplates(f.db, {&profile, "", "", "", 1}).empty());
    // An adventure template takes the adventure level.
    smith.type = "Adventure";
    EXPECT_EQ(WorkableTiers({&profile, "", "", "", 1}, smith)->lowest, 9);
}

TEST(OrderWizard, PlanOffersTheWorkableFormulaeAndNamesWhatIsWrong)
{
    CBrowserFixture f;
    const CWizardTemplate smith = SmithTemplate();
    CWizardPlan plan = PlanWizard(f.db, smith, {2, 3});

    // Priority order; the helm has no tier from II to III, the sword two.
    ASSERT_EQ(plan.sets.size(), 4u);
    EXPECT_EQ(plan.sets[0].set->name, "Helms");
    EXPECT_TRUE(plan.sets[0].choices.empty());
    EXPECT_EQ(plan.sets[1].set->name, "Blades");
    EXPECT_FALSE(plan.sets[1].ticked); // optional
    ASSERT_EQ(plan.sets[1].choices.size(), 1u);
    const CWizardChoice& sword = plan.sets[1].choices[0];
    EXPECT_EQ(sword.formula, f.sword);
    ASSERT_EQ(sword.tiers.size(), 2u);
    EXPECT_EQ(sword.Tier()->name, "Mithril Sword");
    EXPECT_FALSE(plan.sets[2].known);
    EXPECT_EQ(plan.problems,
              (std::vector<std::string>{
                  "No formula of the set 'Helms' matches '' at Tier II to Tier III.",
                  "The template 'Smith (Craft)' names the formula set 'Nowhere', which the database does not have.",
                  "No formula of the set 'Smelting' matches 'zzz' at Tier II to Tier III.",
                  "The template 'Smith (Craft)' names the technique 'Ghost', which the database does not have."}));

    // Offered techniques follow the tier: Razor Edge (III, size 2) on Mithril, Keen Edge on Steel.
    EXPECT_EQ(Techniques(TechniqueOptions(f.db, smith, sword)), "Sharpen/Razor Edge;Temper/Light Temper;");
    EXPECT_TRUE(WizardItems(plan).empty()); // the only set with a formula is unticked

    TickEverything(f.db, plan);
    std::vector<COrderItem> items = WizardItems(plan);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].group, "Blades");
    EXPECT_EQ(items[0].formula, "Sword");
    EXPECT_EQ(items[0].itemName, "Mithril Sword");
    EXPECT_EQ(items[0].tierName, "Tier III");
    EXPECT_EQ(items[0].batches, 1);
    EXPECT_EQ(Techniques(items[0].techniques), "Sharpen/Razor Edge;");

    // Razor Edge fills both slots: Temper is refused with the browser's message; a lower
    // tier drops what it cannot take.
    CWizardChoice& choice = plan.sets[1].choices[0];
    EXPECT_EQ(SetChoiceTechnique(f.db, choice, {"All", "Temper", "Light Temper"}, true),
              "This tier of the Formula 'Mithril Sword' has no room for 'Temper': it can only take 2 techniques.");
    choice.tier = 0;
    KeepTakenTechniques(f.db, smith, choice);
    EXPECT_EQ(Techniques(choice.techniques), "Sharpen/Keen Edge;");

    // Replace starts an untitled order; append keeps what was there.
    COrder order;
    order.filePath = "/orders/mine.xml";
    order.acquired["Coal"] = "3";
    order.AddGroup("Old");
    EXPECT_EQ(ApplyWizard(order, plan, false), 1);
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Old", "Blades"}));
    EXPECT_EQ(order.filePath, "/orders/mine.xml");
    EXPECT_EQ(ApplyWizard(order, plan, true), 1);
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Blades"}));
    EXPECT_TRUE(order.acquired.empty());
    EXPECT_EQ(order.filePath, "Untitled.xml");
    EXPECT_TRUE(order.modified);
}

TEST(OrderWizard, FilesThatGiveNoTemplateAreNamed)
{
    CTempDir dir;
    const char* head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
    dir.WriteFile("good.xml", std::string(head) +
                                  "<wizard>\n<wizard-school>Smith</wizard-school>\n<wizard-type>Craft</wizard-type>\n"
                                  "<formulasets>\n<formulaset>\n<formulaset-name>Blades</formulaset-name>\n"
                                  "</formulaset>\n</formulasets>\n</wizard>\n");
    dir.WriteFile("empty.xml", "");
    dir.WriteFile("noschool.xml", std::string(head) + "<wizard>\n<wizard-type>Craft</wizard-type>\n</wizard>\n");
    dir.WriteFile("nosets.xml", std::string(head) +
                                    "<wizard>\n<wizard-school>Smith</wizard-school>\n<wizard-type>Craft</wizard-type>\n"
                                    "</wizard>\n");
    std::vector<std::string> found;
    for (const CWizardFileProblem& problem : UnreadableWizardFiles(dir.Path()))
        found.push_back(problem.file.filename().string() + ": " + problem.reason);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{"empty.xml: it holds no wizard template",
                                               "noschool.xml: it names no school or school type",
                                               "nosets.xml: it names no formula sets"}));
}

TEST(PastedList, LinesBecomeItemsOrAreNamed)
{
    CBrowserFixture f;
    struct CCase
    {
        const char* line;
        EPastedLine kind;
        const char* formula;
        const char* tier;
        int batches;
        const char* techniques;
        const char* dropped;
    };
    const CCase cases[] = {
        {"3 x Steel Sword", EPastedLine::Item, "Sword", "Tier II", 3, "", ""},
        {"  steel SWORD  ", EPastedLine::Item, "Sword", "Tier II", 1, "", ""},
        {"Sword", EPastedLine::Item, "Sword", "Tier I", 1, "", ""},
        {"Tier III Sword", EPastedLine::Item, "Sword", "Tier III", 1, "", ""},
        {"tier ii Iron Sword", EPastedLine::Item, "Sword", "Tier II", 1, "", ""},
        {"2x Mithril Sword", EPastedLine::Item, "Sword", "Tier III", 2, "", ""},
        {"4 Iron Helm", EPastedLine::Item, "Helm", "Tier I", 4, "", ""},
        // What is made, not batches: three bars a batch, rounded up.
        {"10 x Iron Bar,\r", EPastedLine::Item, "Bars", "Tier I", 4, "", ""},
        {"9 x Iron Bar", EPastedLine::Item, "Bars", "Tier I", 3, "", ""},
        {"Alpha", EPastedLine::Item, "Loop", "Alpha", 1, "", ""},
        // The order and reports windows' texts: technique tiers in parentheses.
        {"2 x Mithril Sword (Razor Edge), ", EPastedLine::Item, "Sword", "Tier III", 2, "Sharpen/Razor Edge;", ""},
        {"Steel Sword (Keen Edge, Light Temper)", EPastedLine::Item, "Sword", "Tier II", 1, "Sharpen/Keen Edge;",
         "Light Temper"},
        {"Iron Sword (Keen Edge, Polish)", EPastedLine::Item, "Sword", "Tier I", 1, "", "Keen Edge,Polish"},
        {"Steel Sword (sharpen)", EPastedLine::Item, "Sword", "Tier II", 1, "Sharpen/Keen Edge;", ""},
        {"0/12 Iron Ore, ", EPastedLine::Component, "", "", 0, "", ""},
        {"Tier IV Sword", EPastedLine::Unmatched, "", "", 0, "", ""},
        {"Tier II Helm", EPastedLine::Unmatched, "", "", 0, "", ""},
        {"3 x Bronze Sword", EPastedLine::Unmatched, "", "", 0, "", ""},
        {"3rd Sword", EPastedLine::Unmatched, "", "", 0, "", ""},
        {"Axe", EPastedLine::Unmatched, "", "", 0, "", ""}, // no tiers
        {" , ", EPastedLine::Empty, "", "", 0, "", ""},
    };
    std::string text;
    for (const CCase& c : cases)
        text += std::string(c.line) + "\n";
    const std::vector<CPastedLine> lines = ParsePastedList(f.db, text);
    ASSERT_EQ(lines.size(), std::size(cases));
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        const CCase& c = cases[i];
        const CPastedLine& line = lines[i];
        SCOPED_TRACE(c.line);
        ASSERT_EQ(line.kind, c.kind);
        if (c.kind != EPastedLine::Item)
            continue;
        EXPECT_EQ(line.item.formula, c.formula);
        EXPECT_EQ(line.item.tierName, c.tier);
        EXPECT_EQ(line.item.batches, c.batches);
        EXPECT_EQ(Techniques(line.item.techniques), c.techniques);
        std::string dropped;
        for (const std::string& name : line.droppedTechniques)
            dropped += (dropped.empty() ? "" : ",") + name;
        EXPECT_EQ(dropped, c.dropped);
    }

    // Into the order: the group is made, and one message names everything left out.
    COrder order;
    const CPasteResult result = AddPastedList(order, f.db, text, "Pasted");
    EXPECT_EQ(result.added.size(), 14u);
    EXPECT_EQ(order.ItemCount(), 14);
    EXPECT_EQ(order.groups, std::vector<std::string>{"Pasted"});
    EXPECT_EQ(PasteMessage(result), "These lines name no formula and were not added:\n"
                                    "    Tier IV Sword\n"
                                    "    Tier II Helm\n"
                                    "    3 x Bronze Sword\n"
                                    "    3rd Sword\n"
                                    "    Axe\n\n"
                                    "These techniques were not found or do not fit the item's tier, and were left out:\n"
                                    "    Steel Sword (Keen Edge, Light Temper): Light Temper\n"
                                    "    Iron Sword (Keen Edge, Polish): Keen Edge\n"
                                    "    Iron Sword (Keen Edge, Polish): Polish\n\n"
                                    "1 component lines of a report were left out.");
}
