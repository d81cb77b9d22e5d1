#pragma once

#include <string_view>

// The program's fixed texts: messages, questions and labels, verbatim, in one place.
// Texts built from pieces keep their pieces here as well.
namespace Messages
{
// Start-up and update archives.
inline constexpr std::string_view MoreThanOneArchive1 = "More then one database update file (*.zip) exists in '";
inline constexpr std::string_view MoreThanOneArchive2 =
    "'.\nPlease remove all but one and restart the client for the update to take effect!";
inline constexpr std::string_view ArchiveCorrupt = "Update failed, database archive is corrupt.\nRemoving update file";

// Profiles on saving the settings.
inline constexpr std::string_view ProfilesChanged1 = "Profile(s) '";
inline constexpr std::string_view ProfilesChangedMore = ", '";
inline constexpr std::string_view ProfilesChanged2 = " have been changed, do you want to save these changes?";

// Links.
inline constexpr std::string_view LinkNotFound = "Error - Cannot Find Requested Link";

// Orders.
inline constexpr std::string_view OrderVersionUnsupported = "Sorry, Moxa doesn't support this version of the order file";
inline constexpr std::string_view ClearOrderQuestion = "Do you really want to clear this order?";
} // namespace Messages
