#pragma once

#include "order/Order.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CGameDatabase;
struct CFormula;
struct CFormulaTier;
struct CProfile;
struct CWizardFormulaSet;
struct CWizardTemplate;

// The order creation wizard: which templates fit a character, which formulae each of their
// sets offers at the tiers the character can work, and the order the choices make.

// Who the order is for: a profile (its school levels decide), or a race, school type,
// school and level chosen by hand. Empty texts match anything.
// The levels a school level chosen by hand may take (the wizard's level box).
inline constexpr int WizardMinLevel = 1;
inline constexpr int WizardMaxLevel = 100;

struct CWizardWho
{
    const CProfile* profile = nullptr;
    std::string race;
    std::string type;   // "Craft" or "Adventure", as the templates name them
    std::string school;
    int level = 1;
};

struct CTierRange
{
    int lowest = 1;
    int highest = 1;
};

// "Bladesmith (Craft)": how windows and the command line name a template.
std::string WizardTemplateName(const CWizardTemplate& wizard);
// The tier a school level works without a profile: one more every five levels, I to X.
int TierOfLevel(int level);
// "Tier II" or "Tier II to Tier IV".
std::string TierRangeText(const CTierRange& range);

// The tiers the character works in the template's school: the profile's work tiers for a
// craft school (else the tier of its level), the tier of the level chosen by hand. None
// when the profile has no level in the school.
std::optional<CTierRange> WorkableTiers(const CWizardWho& who, const CWizardTemplate& wizard);

// The templates offered, in database order.
std::vector<const CWizardTemplate*> MatchingTemplates(const CGameDatabase& db, const CWizardWho& who);

// One formula of a set as the player chooses it.
struct CWizardChoice
{
    const CFormula* formula = nullptr;
    std::vector<const CFormulaTier*> tiers; // the workable ones, lowest first
    int tier = 0;                           // into tiers; the highest by default
    bool ticked = true;
    int batches = 1;
    std::vector<COrderTechnique> techniques;

    const CFormulaTier* Tier() const { return tiers.empty() ? nullptr : tiers[static_cast<std::size_t>(tier)]; }
    COrderItem Item(const std::string& group) const;
};

struct CWizardSetPlan
{
    const CWizardFormulaSet* set = nullptr;
    bool known = false;  // the database has a formula set of that name
    bool ticked = false; // optional sets start unticked
    std::vector<CWizardChoice> choices;
};

struct CWizardPlan
{
    const CWizardTemplate* wizard = nullptr;
    CTierRange range;
    std::vector<CWizardSetPlan> sets;  // by priority, then file order
    std::vector<std::string> problems; // unknown sets and techniques, sets that match nothing
};

// Whether the formula belongs to the template's set: the filter (alternatives separated by
// "," or "|") found, ignoring case, in its name or one of its keywords; an empty filter
// takes every formula.
bool MatchesWizardFilter(const CFormula& formula, const std::string& filter);
// A formula with an equip slot must take one of the template's slots; one without
// (materials, structures) always fits. A template without slots limits nothing.
bool FitsWizardSlots(const CFormula& formula, const CWizardTemplate& wizard);

CWizardPlan PlanWizard(const CGameDatabase& db, const CWizardTemplate& wizard, const CTierRange& range);

// The template's techniques the choice's tier can take, each at its highest usable tier.
std::vector<COrderTechnique> TechniqueOptions(const CGameDatabase& db, const CWizardTemplate& wizard,
                                              const CWizardChoice& choice);
// Ticks or unticks a technique of the choice: the formula browser's message when the tier
// cannot take it (nothing changes), else empty.
std::string SetChoiceTechnique(const CGameDatabase& db, CWizardChoice& choice, const COrderTechnique& technique,
                               bool on);
// Drops the techniques the choice's tier no longer takes (after a change of tier).
void KeepTakenTechniques(const CGameDatabase& db, const CWizardTemplate& wizard, CWizardChoice& choice);

// The wizard's defaults: every set ticked, every formula at its highest workable tier in
// one batch, with the first template technique its tier takes.
void TickEverything(const CGameDatabase& db, CWizardPlan& plan);
// The plan with those defaults: where the window's pages start and what the command line
// makes, so both make the same order.
CWizardPlan DefaultWizardPlan(const CGameDatabase& db, const CWizardTemplate& wizard, const CTierRange& range);

// The items the plan makes, group by group in set order; groups are the sets' names.
std::vector<COrderItem> WizardItems(const CWizardPlan& plan);

// "N items in M groups:", then each group with its items as the order window labels them
// ("1 x Tinbright Dirk (Keen Edge III)").
std::string WizardSummary(const CGameDatabase& db, const CWizardPlan& plan);

// Puts the items into the order: "replace" starts a new untitled order (items, groups and
// acquired counts go), otherwise they join it. Returns the number of items added.
int ApplyWizard(COrder& order, const CWizardPlan& plan, bool replace);

// A wizard file that does not give a usable template, with the reason.
struct CWizardFileProblem
{
    std::filesystem::path file;
    std::string reason;
};
// The ".xml" files of the wizards folder that give no template or one without school,
// type or formula sets (the database skips them silently).
std::vector<CWizardFileProblem> UnreadableWizardFiles(const std::filesystem::path& folder);
