#pragma once

#include "database/Records.h"
#include "xml/XmlDocument.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Pieces shared by the formula and technique readers. Internal to the database library.
namespace ReaderHelpers
{
// Keywords beginning with these are the game's internal classes and are left out.
inline bool IsKeptKeyword(std::string_view keyword)
{
    return !keyword.starts_with("techclass_") && !keyword.starts_with("tier_");
}

// The "tier-lvl" of a tier element: the level from its text, the level name from its
// attribute; present false (level -1, empty name) when the element is absent.
struct CTierLevel
{
    bool present = false;
    int level = -1;
    std::string levelName;
};
CTierLevel ReadTierLevel(const CXmlDocument& doc, CXmlElement& tier);

// Where a tier read from a file goes: walk the tiers in order; a tier of the same name is
// reused; a new tier goes before the first tier of another name whose level is greater
// (only for a tier that has a level), else at the end.
template <typename Tier>
Tier& PlaceTier(std::vector<COwned<Tier>>& tiers, const std::string& name, int level, bool& isNew)
{
    auto it = tiers.begin();
    for (; it != tiers.end(); ++it)
    {
        if ((*it)->name == name)
        {
            isNew = false;
            return **it;
        }
        if (level != -1 && (*it)->level > level)
            break;
    }
    isNew = true;
    auto placed = tiers.insert(it, std::make_unique<Tier>());
    (*placed)->name = name;
    return **placed;
}
} // namespace ReaderHelpers
