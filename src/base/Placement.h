#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

class ISettingsStore;

// Where a window was on the screen, kept under SettingsKeys::Windows as
// "X:%d, Y:%d, W:%d, H:%d, V:%s T:%s". Unknown numbers are -1; "created" is only known
// to the running program and never stored.
struct CPlacement
{
    int x = -1;
    int y = -1;
    int w = -1;
    int h = -1;
    bool visible = false;
    bool topmost = false;
    bool created = false;

    bool operator==(const CPlacement&) const = default;
};

namespace WindowNames
{
inline constexpr std::string_view Toolbar = "ToolbarWnd";
inline constexpr std::string_view Order = "OrderWnd";
inline constexpr std::string_view ItemCreation = "ItemCreationWnd";
inline constexpr std::string_view TechSelection = "TechSelectionWnd";
inline constexpr std::string_view Component = "ComponentWnd";
inline constexpr std::string_view Report = "ReportWnd";
inline constexpr std::string_view Profile = "ProfileWnd";

// Every named window, in the order "Remember All Positions" saves them.
inline constexpr std::array<std::string_view, 7> All = {Toolbar, Order, ItemCreation, TechSelection,
                                                        Component, Report, Profile};
} // namespace WindowNames

std::string FormatPlacement(const CPlacement& placement);
// Reads the stored text field by field, as the format was written; the first field that
// does not parse and every one after it keep -1 (booleans: false). "created" stays false.
CPlacement ParsePlacement(std::string_view text);

// The placement records of the seven windows. The windows fill in their rectangles before
// saving and apply the restored record themselves; this keeps what reaches the store.
class CWindowPlacements
{
public:
    // The record of a named window (created on first use for any name).
    CPlacement& Get(std::string_view window);
    const CPlacement* Find(std::string_view window) const;

    // Writes one record. The toolbar is always written, another window only once it has
    // been created; false when nothing was written.
    bool Save(ISettingsStore& store, std::string_view window) const;
    // Reads one record over the one held, keeping its created flag; false (record kept)
    // when the store has none.
    bool Restore(const ISettingsStore& store, std::string_view window);

    void SaveAll(ISettingsStore& store) const;
    void RestoreAll(const ISettingsStore& store);

private:
    std::map<std::string, CPlacement, std::less<>> m_records;
};
