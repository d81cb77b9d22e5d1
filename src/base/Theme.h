#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The current values of the named system colours ("COLOR_WINDOW", ...), as 0x00BBGGRR.
// The Qt layer maps them to palette roles; tests use a fixed table.
class ISystemColours
{
public:
    virtual ~ISystemColours() = default;
    virtual std::optional<std::uint32_t> SystemColour(std::string_view name) const = 0;
};

// The colour table of a theme file: key -> colour stored as text "0x00BBGGRR".
class CTheme
{
public:
    explicit CTheme(const ISystemColours* system = nullptr) : m_system(system) {}

    // Replaces the whole table with a theme's colours (key, value as written), in order;
    // a key whose value is no usable colour stays unset.
    void SetColours(const std::vector<std::pair<std::string, std::string>>& colours);
    // The stored colour (0x00BBGGRR); black for a missing key ending in "_FG", else white.
    std::uint32_t ThemeColour(std::string_view key) const;

    const std::map<std::string, std::string>& Table() const { return m_table; }
    void Clear() { m_table.clear(); }
    void SetSystemColours(const ISystemColours* system) { m_system = system; }

    // "#RRGGBB" -> "0x00BBGGRR"; a "COLOR_" name -> its value "%x"; empty when unusable.
    std::string ConvertValue(std::string_view value) const;

private:
    const ISystemColours* m_system = nullptr;
    std::map<std::string, std::string> m_table;
};
