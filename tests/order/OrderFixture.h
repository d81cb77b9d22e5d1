#pragma once

#include "database/GameDatabase.h"
#include "order/Order.h"
#include "profile/Profile.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// A small database built in memory for the order tests.
//
//   Blacksmithing "Weapons": Sword (1 per batch), tier "Iron Sword" (Tier I):
//       Iron Bar  Smithing units 1  min 10 -> 8   opt 50 -> 4
//       Leather   Smithing units 2  min 0  -> 1   opt 10 -> 1
//       attribute bonus "5 Strength"
//     tier "Steel Sword" (Tier II): Steel Bar Smithing units 0 min 20 -> 6 opt 60 -> 2
//   Resources "Smelting": Bars (3 per batch), tier "Iron Bar": Iron Ore units 1 min 0 -> 2
//       opt 0 -> 2 (Smelting), Coal 1 -> 1; tier "Steel Bar": Iron Bar 1 -> 1, Coal 2 -> 2
//   Blacksmithing techniques: Sharpen, tier "Keen Edge" (Tier I): adjust 10, component
//       Whetstone x2, bonus "3 Damage"; tier "Razor Edge" (Tier II): adjust 20, bonus
//       "4 Strength"; Might: attribute percentagestatbonus "50% Strength"
class COrderFixture
{
public:
    CGameDatabase db;
    CFormulaSet* weapons = nullptr;
    CFormulaSet* smelting = nullptr;
    CTechniqueSet* techniques = nullptr;

    COrderFixture();

    static CResource Resource(const std::string& name, const std::string& skill, int units, int minSkill,
                              int qtyAtMin, int optSkill, int qtyAtOpt);
    CFormula& AddFormula(CFormulaSet& set, const std::string& name, int batchQty);
    CFormulaTier& AddTier(CFormula& formula, const std::string& name, int level);
    CFormulaSet& AddSet(const std::string& name, const std::string& category);
    CTechnique& AddTechnique(const std::string& name);
    CTechniqueTier& AddTechniqueTier(CTechnique& technique, const std::string& name, int level,
                                     int adjust);

    static std::unique_ptr<COrderItem> Item(const std::string& name, const std::string& formula,
                                            const std::string& tier, int batches, const std::string& group = "Main");
    static CProfile Profile(int smithing, int smelting = 0);
    // Items named after their formula, at "Tier I"; "Steel" stands for the Steel Sword.
    static void AddItems(COrder& order, const std::vector<std::pair<std::string, int>>& items);
};
