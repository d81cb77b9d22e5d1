#include "base/SettingsStore.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}
} // namespace

std::optional<std::string> CMemorySettingsStore::Read(std::string_view key, std::string_view name) const
{
    const auto k = m_values.find(Lower(key));
    if (k == m_values.end())
        return std::nullopt;
    const auto v = k->second.find(Lower(name));
    if (v == k->second.end())
        return std::nullopt;
    return v->second;
}

bool CMemorySettingsStore::Write(std::string_view key, std::string_view name, std::string_view text)
{
    m_values[Lower(key)][Lower(name)] = std::string(text);
    return true;
}
