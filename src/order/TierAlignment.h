#pragma once

#include "order/Requirements.h"

#include <string>

class COrder;

struct CTierAlignment
{
    int changed = 0;
    std::string message; // what was done, or why nothing was
};

// "Align Tiers": every ticked item (ticked itself or through its group) of the same formula
// as the selected item takes the selected item's tier. The order is marked modified when
// any item changed; the message says how many did, or why none could.
CTierAlignment AlignTickedTiers(COrder& order, int selectedId, const COrderSelection& ticked);
