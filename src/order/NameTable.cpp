#include "order/NameTable.h"

void CNameTable::Insert(std::size_t hash, std::size_t position)
{
    // At most half full, so probes stay short.
    if ((m_count + 1) * 2 > m_slots.size())
    {
        std::vector<CSlot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 16 : old.size() * 2, CSlot{});
        m_mask = m_slots.size() - 1;
        for (const CSlot& slot : old)
            if (slot.position != npos)
                Place(slot.hash, slot.position);
    }
    Place(hash, position);
    ++m_count;
}

void CNameTable::Place(std::size_t hash, std::size_t position)
{
    std::size_t i = hash & m_mask;
    while (m_slots[i].position != npos)
        i = (i + 1) & m_mask;
    m_slots[i] = {hash, position};
}
