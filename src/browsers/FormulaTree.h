#pragma once

#include <string>
#include <string_view>
#include <vector>

class CGameDatabase;
struct CFormula;
struct CFormulaTier;
struct CTechnique;

// The formula browser's category list and tree, as data the window only has to show.

// "All", "Custom", then every formula category in database order.
std::vector<std::string> CategoryEntries(const CGameDatabase& db);

// The entries of the class search (28 adventure, 21 craft classes), in their fixed order.
const std::vector<std::string>& ClassNames();
// The text between the first "(" and the following ")"; empty when there is none.
std::string ClassCode(std::string_view entry);
// "Khutit" for the dragon classes, "Human" for every other.
std::string RaceWord(std::string_view classCode);

// A technique can go on a formula tier when one of its tiers is of no higher tier number,
// fits the tier's technique slots by its size, and, when keyword sets are given (the
// tier's own, else the technique's), has a set whose every keyword the formula or the
// tier carries.
bool TechniqueFitsTier(const CTechnique& technique, const CFormula& formula,
                       const CFormulaTier& tier);
// The technique filter: the technique fits at least one tier of the formula.
bool TechniqueAppliesTo(const CTechnique& technique, const CFormula& formula);

struct CFormulaFilter
{
    std::string category;  // the current category entry ("All", "Custom" or a name)
    std::string name;      // name filter
    std::string classCode; // class filter ("BTLM")
    std::string race;      // race word of the class filter
    const CTechnique* technique = nullptr;
};

// The searches: the chosen filter is set, the other one and the technique filter cleared,
// and the category becomes "Custom".
void ApplyNameSearch(CFormulaFilter& filter, const std::string& name);
void ApplyClassSearch(CFormulaFilter& filter, const std::string& classEntry);

// Whether "Custom" shows the formula under the filter.
bool CustomShows(const CFormula& formula, const CFormulaFilter& filter);

// A formula the tree shows; its name and icon are the record's.
struct CTreeFormula
{
    const CFormula* formula = nullptr;
};

struct CTreeCategory
{
    std::string name;
    std::string label; // "%s (%d/%d)"
    int iconIndex = 0;
    int shown = 0;
    int total = 0;
    std::vector<CTreeFormula> formulae; // sorted
};

struct CFormulaTree
{
    std::vector<CTreeCategory> categories; // only those with formulae, sorted by label
    int found = 0;
    // Where the current formula sits; -1 when it is not shown.
    int currentCategory = -1;
    int currentFormula = -1;
    std::string foundText; // the "Formulas Found" line
};

// Every formula category once, in database order, with its formulae in the tree's order: a
// tree for any filter takes them from here, so a database is sorted once.
struct CFormulaOrder
{
    struct CCategory
    {
        std::string name;
        int iconIndex = 0;
        std::vector<const CFormula*> formulae;
    };
    std::vector<CCategory> categories;
};
CFormulaOrder FormulaOrder(const CGameDatabase& db);

// Fills the tree for the filter; the current formula is found by category (ignoring case)
// and name.
CFormulaTree BuildFormulaTree(const CFormulaOrder& order, const CFormulaFilter& filter,
                              std::string_view currentCategory, std::string_view currentFormula);
CFormulaTree BuildFormulaTree(const CGameDatabase& db, const CFormulaFilter& filter,
                              std::string_view currentCategory, std::string_view currentFormula);

// "%d Formulae", in "Custom" followed by " (CODE)" or " (Filtered)".
std::string FormulaeFoundText(int count, const CFormulaFilter& filter);
// A category's tree label: "Bladesmith (3/16)", shown of total.
std::string TreeCategoryLabel(const std::string& name, int shown, int total);
