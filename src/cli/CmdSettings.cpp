// "settings": every setting as the store keeps it, one of them, or a new value for one.
#include "base/Settings.h"
#include "cli/Commands.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
CSettings LoadAll(const CCliContext& context)
{
    CSettings settings;
    LoadSettings(settings, *context.store, context.dataFolder.string(), ReadGameFolder(*context.store));
    return settings;
}

// A whole number in the range of the stored "%d", nothing before or after it.
bool IsWholeNumber(const std::string& text)
{
    if (text.empty() || (text[0] != '-' && text[0] != '+' && (text[0] < '0' || text[0] > '9')))
        return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && end != text.c_str() && value >= INT_MIN && value <= INT_MAX;
}

ESettingType TypeOf(std::string_view name)
{
    for (const CSettingInfo& info : SettingsTable())
        if (info.name == name)
            return info.type;
    return ESettingType::Text;
}

int CmdSettings(CCliContext& context, const CParsedArgs& parsed)
{
    const std::vector<std::string>& args = parsed.Operands();
    CSettings settings = LoadAll(context);
    if (args.empty())
    {
        for (const CSettingInfo& info : SettingsTable())
            std::printf("%.*s=%s\n", static_cast<int>(info.name.size()), info.name.data(),
                        SettingText(settings, info.name).c_str());
        return 0;
    }

    const std::string_view name = CanonicalSettingName(args[0]);
    if (name.empty())
    {
        std::fprintf(stderr, "moxa-cli: unknown setting '%s'\n", args[0].c_str());
        return 2;
    }
    if (args.size() == 1)
    {
        std::printf("%s\n", SettingText(settings, name).c_str());
        return 0;
    }

    if (TypeOf(name) == ESettingType::Integer && !IsWholeNumber(args[1]))
        return UsageError("settings: " + std::string(name) + " is a number, not '" + args[1] + "'");
    // Stored in the setting's own encoding, as the program would save it.
    SetSettingText(settings, name, args[1]);
    const std::string text = SettingText(settings, name);
    if (!context.store->Write(SettingsKeys::Config, name, text) || !context.store->Flush())
    {
        std::fprintf(stderr, "moxa-cli: the setting could not be stored: %s\n", context.store->Error().c_str());
        return 1;
    }
    return 0;
}
} // namespace

const CCommandSpec SettingsCommand = {
    .name = "settings",
    .operands = "[NAME [VALUE]]",
    .summary = "Print every setting as Name=value, print one, or store one.",
    .details = "Values are printed and stored in their stored encoding: Y or N for switches (y is\n"
               "stored as Y, anything else as N), whole numbers for numbers, text as it is. Names\n"
               "may be given in any case.",
    .maxOperands = 2,
    .exitCodes = "  0  printed or stored\n"
                 "  1  the setting could not be stored\n"
                 "  2  bad usage, an unknown setting or a number setting given no whole number",
    .needsDataFolder = false,
    .run = CmdSettings,
};
