// "settings": every setting as the store keeps it, one of them, or a new value for one.
#include "app/Settings.h"
#include "app/Startup.h"
#include "cli/Commands.h"

#include <cstdio>
#include <string>

namespace
{
CSettings LoadAll(const CCliContext& context)
{
    CSettings settings;
    LoadSettings(settings, *context.store, context.dataFolder.string(), ReadGameFolder(*context.store));
    return settings;
}
} // namespace

int CmdSettings(CCliContext& context, const CommandArgs& args)
{
    if (args.size() > 2)
    {
        std::fprintf(stderr, "moxa-cli: settings takes at most a NAME and a VALUE\n");
        return 2;
    }
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

    // Stored in the setting's own encoding, as the program would save it.
    SetSettingText(settings, name, args[1]);
    const std::string text = SettingText(settings, name);
    if (!context.store->Write(SettingsKeys::Config, name, text) || !context.store->Flush())
    {
        std::fprintf(stderr, "moxa-cli: the setting could not be stored\n");
        return 1;
    }
    return 0;
}
