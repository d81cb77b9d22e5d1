#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

// An open-addressing index from a name to a position in a list the caller owns. It stores
// only hashes and positions; names are compared through the caller's list, so the list may
// grow (and move its strings) while indexed.
class CNameTable
{
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    static std::size_t Hash(std::string_view name) { return std::hash<std::string_view>{}(name); }

    // The position stored for name, or npos; nameAt(position) gives a stored name.
    template <typename NameAt>
    std::size_t Find(std::string_view name, std::size_t hash, const NameAt& nameAt) const
    {
        if (m_slots.empty())
            return npos;
        for (std::size_t i = hash & m_mask;; i = (i + 1) & m_mask)
        {
            const CSlot& slot = m_slots[i];
            if (slot.position == npos)
                return npos;
            if (slot.hash == hash && nameAt(slot.position) == name)
                return slot.position;
        }
    }

    // Stores a name that is not in the table yet.
    void Insert(std::size_t hash, std::size_t position);

    std::size_t Size() const { return m_count; }

private:
    struct CSlot
    {
        std::size_t hash = 0;
        std::size_t position = npos;
    };

    void Place(std::size_t hash, std::size_t position);

    std::vector<CSlot> m_slots;
    std::size_t m_mask = 0;
    std::size_t m_count = 0;
};
