#include "order/TierAlignment.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "order/Order.h"

CTierAlignment AlignTickedTiers(COrder& order, int selectedId, const COrderSelection& ticked)
{
    CTierAlignment result;
    const COrderItem* selected = order.FindItem(selectedId);
    if (!selected)
    {
        result.message = Messages::AlignNoSelection;
        return result;
    }
    if (ticked.Empty())
    {
        result.message = Messages::AlignNothingTicked;
        return result;
    }
    const std::string formula = selected->formula;
    const std::string tier = selected->tierName;
    int same = 0;
    for (const COrderItem* item : SelectedItems(order, ticked))
    {
        if (item->id == selectedId || item->formula != formula)
            continue;
        ++same;
        if (item->tierName == tier)
            continue;
        // SelectedItems hands out read-only pointers into the order's own list.
        order.FindItem(item->id)->tierName = tier;
        ++result.changed;
    }
    if (same == 0)
        result.message = Format(Messages::AlignNoSameFormula, formula.c_str());
    else if (result.changed == 0)
        result.message = Format(Messages::AlignAlreadyAligned, formula.c_str(), tier.c_str());
    else
    {
        result.message = Format(Messages::AlignDone, result.changed, formula.c_str(), tier.c_str());
        order.modified = true;
    }
    return result;
}
