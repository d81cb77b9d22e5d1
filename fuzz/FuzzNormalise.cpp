// NormaliseAttribute over a fuzzed key and value (split at the first NUL byte).
#include "FuzzSupport.h"
#include "database/GameDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = Fuzz::Bytes(data, size);
    const std::size_t at = input.find('\0');
    const std::string_view key = input.substr(0, at);
    const std::string_view value = at == std::string_view::npos ? std::string_view() : input.substr(at + 1);
    const CAttribute attribute = NormaliseAttribute(key, value);
    // Its own output is an input like any other.
    NormaliseAttribute(attribute.key, attribute.value);
    DeriveBonusValues(value);
    TierNumber(key);
    return 0;
}
