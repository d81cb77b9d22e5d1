#include "BenchOrder.h"

#include "database/GameDatabase.h"
#include "order/Order.h"

#include <memory>
#include <vector>

void FillBenchOrder(const CGameDatabase& db, int n, COrder& order)
{
    std::vector<const CFormula*> formulae;
    for (const auto& set : db.FormulaSets())
        for (const auto& f : set->formulae)
            if (!f->tiers.empty())
                formulae.push_back(f.get());
    std::vector<const CTechnique*> techniques;
    for (const auto& set : db.TechniqueSets())
        for (const auto& t : set->techniques)
            if (!t->tiers.empty())
                techniques.push_back(t.get());
    for (int i = 0; i < n && !formulae.empty(); ++i)
    {
        const CFormula& f = *formulae[(static_cast<std::size_t>(i) * 7919) % formulae.size()];
        auto item = std::make_unique<COrderItem>();
        item->formula = item->itemName = f.name;
        item->category = f.category;
        item->tierName = f.tiers[static_cast<std::size_t>(i) % f.tiers.size()]->levelName;
        item->batches = 1 + i % 5;
        if (i % 3 == 0 && !techniques.empty())
        {
            const CTechnique& t = *techniques[static_cast<std::size_t>(i) % techniques.size()];
            item->techniques.push_back({"All", t.name, t.tiers.front()->levelName});
        }
        order.AddItem(std::move(item));
    }
}
