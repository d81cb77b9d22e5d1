// The profile reader; a profile read is written and reads back equal.
#include "FuzzSupport.h"
#include "profile/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path path = Fuzz::ScratchFile("profile.xml", Fuzz::Bytes(data, size));
    CProfile profile;
    Fuzz::Check(ReadProfile(profile, path), "reading a profile always succeeds");
    for (const CCraftLevel& craft : profile.craftLevels)
        SkillLevel(profile, craft.name);
    profile.type = ProfileTypes::Local;
    ProfileFileName(profile, Fuzz::ScratchFolder());

    const std::filesystem::path copy = Fuzz::ScratchFolder() / "copy.xml";
    profile.changed = true;
    if (WriteProfile(profile, copy))
    {
        Fuzz::Check(!profile.changed, "a written profile is no longer changed");
        CProfile back;
        ReadProfile(back, copy);
        Fuzz::Check(back.statistics.size() == profile.statistics.size() &&
                        back.craftLevels.size() == profile.craftLevels.size() &&
                        back.craftSkills.size() == profile.craftSkills.size() &&
                        back.adventureLevels.size() == profile.adventureLevels.size() &&
                        back.adventureSkills.size() == profile.adventureSkills.size(),
                    "a written profile reads back with every value");
    }
    return 0;
}
