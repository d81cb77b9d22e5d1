#include "profile/Profile.h"

bool CProfileList::AnyChanged() const
{
    for (const auto& profile : profiles)
        if (profile->changed)
            return true;
    return false;
}

CProfile* CProfileList::Find(const std::string& name, const std::string& type) const
{
    for (const auto& profile : profiles)
        if (profile->name == name && profile->type == type)
            return profile.get();
    return nullptr;
}
