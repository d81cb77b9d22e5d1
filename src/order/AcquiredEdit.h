#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CReport;
class COrder;

// A cell of a shown report where the player enters what is already acquired: the third
// column of the component and sub-component rows, and of the plan's craft and gather rows
// (AddPlanRows lists those).
struct CAcquiredCell
{
    int row = 0;
    int column = 0;
    std::string name;
    std::int64_t need = 0;
};
std::vector<CAcquiredCell> AcquiredCells(const CReport& report);

// An entered count: digits with blanks around them; empty is 0. False for anything else.
bool ParseAcquired(std::string_view text, std::int64_t& count);

// Stores a count in the order's acquired map, 0 (or less) removing the entry. Marks the
// order modified and returns true when the map changed.
bool SetAcquired(COrder& order, const std::string& name, std::int64_t count);
