#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"

#include <string>
#include <string_view>
#include <vector>

class CGameDatabase;
struct CFormula;
struct CFormulaTier;

// The details grid of a formula at a tier with the attached techniques: rows of a label and
// a value. The title and description rows put their text in the value column, the wide one.
CBrowserRows DetailRows(const CGameDatabase& db, const CFormula& formula, const CFormulaTier& tier,
                        const std::vector<COrderTechnique>& techniques);

// The technique modifiers applied to a shown value. A value or modifier that does not read
// as its pattern leaves the value as it was.
std::string ApplyRangeModifier(std::string_view cell, std::string_view modifier);   // "%d range"
std::string ApplyRecycleModifier(std::string_view cell, std::string_view modifier); // "%d:%d"
std::string ApplyDamageModifier(std::string_view cell,
                                std::string_view modifier); // "%d maximum damage"
std::string ApplyHealModifier(std::string_view cell, std::string_view modifier); // "%d-%d points"

// Raises every "(N)" in text by increase.
std::string RaiseParenthesisedNumbers(std::string_view text, int increase);
