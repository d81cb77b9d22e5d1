#include "order/TierAlignment.h"

#include "order/Order.h"

int AlignTickedTiers(COrder& order, int selectedId, const COrderSelection& ticked)
{
    const COrderItem* selected = order.FindItem(selectedId);
    if (!selected || ticked.Empty())
        return 0;
    const std::string formula = selected->formula;
    const std::string tier = selected->tierName;
    int changed = 0;
    for (const COrderItem* item : SelectedItems(order, ticked))
    {
        if (item->formula != formula || item->tierName == tier)
            continue;
        // SelectedItems hands out read-only pointers into the order's own list.
        order.FindItem(item->id)->tierName = tier;
        ++changed;
    }
    if (changed)
        order.modified = true;
    return changed;
}
