#pragma once

#include "order/Requirements.h"

class COrder;

// "Align Tiers": every ticked item (ticked itself or through its group) of the same formula
// as the selected item takes the selected item's tier. Returns how many items changed; the
// order is marked modified when any did.
int AlignTickedTiers(COrder& order, int selectedId, const COrderSelection& ticked);
