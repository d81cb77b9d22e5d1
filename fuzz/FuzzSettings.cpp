// The settings file reader: any bytes parse, and what was read writes back to a file that
// reads the same.
#include "FuzzSupport.h"
#include "base/IniSettingsStore.h"

#include <cstdlib>
#include <map>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = Fuzz::Bytes(data, size);
    std::map<std::string, std::string> values;
    for (auto& [key, value] : Ini::ParseFile(text))
        values[key] = value;
    const std::string written = Ini::FormatFile(values);
    std::map<std::string, std::string> again;
    for (auto& [key, value] : Ini::ParseFile(written))
        again[key] = value;
    if (again != values)
        std::abort();
    return 0;
}
