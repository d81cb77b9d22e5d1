#pragma once

#include "database/GameDatabase.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// Hash indexes behind CGameDatabase's lookups: name -> first record in list order.
// Internal to the database library.

struct CNameHash
{
    using is_transparent = void;
    // Deliberately not noexcept: libstdc++ then stores each node's hash, so a bucket walk
    // compares stored hashes instead of hashing every name it passes again.
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};

template <typename V>
using CNameMap = std::unordered_map<std::string, V, CNameHash, std::equal_to<>>;

// How far an index covers its list: records appended after the last sync are added on the
// next lookup (they come last in list order, so they never displace an earlier match); a
// list that shrank or an invalidated index is rebuilt from scratch.
struct CIndexState
{
    bool valid = false;
    std::size_t indexed = 0;

    template <typename Clear, typename Add> void Sync(std::size_t size, Clear clear, Add add)
    {
        if (!valid || size < indexed)
        {
            clear();
            indexed = 0;
            valid = true;
        }
        for (; indexed < size; ++indexed)
            add(indexed);
    }
};

struct CFormulaEntry
{
    const CFormula* formula = nullptr;
    std::size_t setPos = 0; // position of its set in formulaSets
};

struct CDatabaseIndexes
{
    CIndexState sets;
    CNameMap<CNameMap<std::size_t>> setByCategory; // category -> set name -> position

    CIndexState formulae;
    CNameMap<CFormulaEntry> formulaByName;
    CNameMap<CNameMap<CFormulaEntry>> formulaByCategory; // set category -> name

    CIndexState producers;
    CNameMap<CGameDatabase::CProducer> producerByName;

    CIndexState techniques;
    CNameMap<const CTechnique*> techniqueByName;
    CNameMap<CNameMap<const CTechnique*>> techniqueByCategory;

    CIndexState components;
    CNameMap<const CComponent*> componentByName;

    CIndexState subcategories;
    CNameMap<std::size_t> subcategoryByName;

    void InvalidateAll()
    {
        sets.valid = false;
        formulae.valid = false;
        producers.valid = false;
        techniques.valid = false;
        components.valid = false;
        subcategories.valid = false;
    }
};
