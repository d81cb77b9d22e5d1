#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

// Key paths and value names of the store (the same as the program has always used).
namespace SettingsKeys
{
inline constexpr std::string_view Config = "Software\\Moxa2\\Config";
inline constexpr std::string_view Windows = "Software\\Moxa2\\Config\\Windows";
inline constexpr std::string_view Game = "SOFTWARE\\Quillwerk\\Tellurin";
} // namespace SettingsKeys

// A store of string values under keys. Value names are compared without regard to case;
// an empty name is the key's unnamed (default) value.
class ISettingsStore
{
public:
    virtual ~ISettingsStore() = default;
    virtual std::optional<std::string> Read(std::string_view key, std::string_view name) const = 0;
    virtual bool Write(std::string_view key, std::string_view name, std::string_view text) = 0;
    // Pushes written values to their permanent place; false when that failed.
    virtual bool Flush() { return true; }
    // Why the last Flush failed ("No space left on device"); empty when it did not.
    virtual std::string Error() const { return {}; }
};

// In memory, for tests and for runs that must not touch the user's settings.
class CMemorySettingsStore : public ISettingsStore
{
public:
    std::optional<std::string> Read(std::string_view key, std::string_view name) const override;
    bool Write(std::string_view key, std::string_view name, std::string_view text) override;

    // Every value, for inspection: key, then lower-cased name.
    const std::map<std::string, std::map<std::string, std::string>>& Values() const { return m_values; }

private:
    std::map<std::string, std::map<std::string, std::string>> m_values;
};
