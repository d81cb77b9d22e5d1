#pragma once

#include <string>
#include <string_view>

class CGameDatabase;
class IPrompter;

// Opens an address (a web page or a file) the way the desktop does; the platform layer
// provides the implementation.
class ILinkOpener
{
public:
    virtual ~ILinkOpener() = default;
    // False when nothing could be opened.
    virtual bool OpenUrl(const std::string& text) = 0;
};

// The help page keys and what opens them.
namespace LinkKeys
{
inline constexpr std::string_view OfficialSite = "officialsite";   // Help menu, official website
inline constexpr std::string_view OnlineManual = "onlinemanual";   // Help menu
inline constexpr std::string_view ReportBug = "reportbug";         // Help menu
inline constexpr std::string_view OrderWindow = "orderwindow";     // "Help With Orders"
inline constexpr std::string_view ReportWindow = "reportwindow";   // "Help With Reports"
inline constexpr std::string_view FormulaWindow = "formulawindow"; // "Help With Formulae"
inline constexpr std::string_view TechniqueWindow = "techniquewindow"; // "Help With Techniques"
inline constexpr std::string_view ComponentWindow = "componentwindow"; // "Help With Components"
inline constexpr std::string_view ProfileWindow = "profilewindow";     // "Help With Profiles"
inline constexpr std::string_view OptionWindow = "optionwindow";       // "Help With Configuration"
inline constexpr std::string_view UpdateWindow = "updatewindow";       // "Help With Updates"
inline constexpr std::string_view Update = "update";                   // the client upgrade page
} // namespace LinkKeys

// Opens the help page stored under the key. A key without a page is warned about
// ("Error - Cannot Find Requested Link"); the result is false then, and when the opener
// fails.
bool OpenLink(const CGameDatabase& db, std::string_view key, ILinkOpener& opener,
              IPrompter& prompter);
