#pragma once

#include "browsers/BrowserRows.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "profile/Profile.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// A grid row as the tables of expected rows write it: its cells joined with a separator.
struct CJoinedRow
{
    std::string text;
    EBrowserRow kind = EBrowserRow::Plain;
    bool operator==(const CJoinedRow&) const = default;
};
using CJoinedRows = std::vector<CJoinedRow>;
CJoinedRows Joined(const CBrowserRows& rows, char separator = '|');
std::vector<std::string> CellTexts(const CBrowserRows& rows, char separator = '|');
inline void PrintTo(const CJoinedRow& row, std::ostream* out)
{
    *out << '"' << row.text << "\" (kind " << static_cast<int>(row.kind) << ')';
}

// A small database for the browser tests.
//
//   "Weapons": Sword (1 per batch)
//       "Iron Sword" Tier I, 1 technique:   Iron Bar Smithing units 1 min 10 -> 8 opt 50 -> 4
//                                           Leather  Smithing units 2 min 0 -> 1 opt 10 -> 1
//       "Steel Sword" Tier II, 1 technique: Steel Bar Smithing units 0 min 20 -> 6 opt 60 -> 2
//                                           Coal Smelting units 1 min 0 -> 3 opt 0 -> 3
//       "Mithril Sword" Tier III, 2 techniques: Alpha Smithing 1 -> 1
//     Axe, dagger (no tiers)
//   "Armour": Helm, tier "Iron Helm" Tier I
//   "Resources": Bars (3 per batch): "Iron Bar": Iron Ore Smelting 2, Coal Smelting 1;
//       "Steel Bar": Iron Bar Smelting 1, Coal Smelting 2
//     Loop: "Alpha" needs Beta, "Beta" needs Alpha
//   Techniques ("Blacksmithing"): Sharpen: "Keen Edge" Tier II adjust 10 size 1, Whetstone x2;
//       "Razor Edge" Tier III adjust 20 size 2, Whetstone x1, Oil x1
//     Temper: "Light Temper" Tier I adjust 5 size 1, Oil x3
class CBrowserFixture
{
public:
    CGameDatabase db;
    CFormula* sword = nullptr;
    CFormula* axe = nullptr;
    CFormula* helm = nullptr;
    CTechnique* sharpen = nullptr;
    CTechnique* temper = nullptr;

    CBrowserFixture();

    static CResource Resource(const std::string& name, const std::string& skill, int units,
                              int minSkill, int qtyAtMin, int optSkill, int qtyAtOpt);
    CFormulaSet& AddSet(const std::string& name, const std::string& category);
    CFormula& AddFormula(CFormulaSet& set, const std::string& name, int batchQty);
    CFormulaTier& AddTier(CFormula& formula, const std::string& name, int level, int allowed);
    CTechnique& AddTechnique(const std::string& name);
    CTechniqueTier& AddTechniqueTier(CTechnique& technique, const std::string& name, int level,
                                     int adjust, int size);

    static COrderTechnique Technique(const std::string& name, const std::string& tier);
    // An order item of the helm at "Tier I".
    static std::unique_ptr<COrderItem> Helm();
    static CProfile Profile(int smithing, int smelting = 0, const std::string& type = "Local");

private:
    CTechniqueSet* m_techniques = nullptr;
};
