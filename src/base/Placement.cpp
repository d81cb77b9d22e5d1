#include "base/Placement.h"

#include "base/NumberText.h"
#include "base/Settings.h"
#include "base/SettingsStore.h"

#include <optional>

namespace
{
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A scanner with the rules of the stored format's %d and %s conversions: each skips white
// space, a number needs at least one digit, a word runs to the next white space. Numbers
// saturate instead of overflowing.
class CScanner
{
public:
    explicit CScanner(std::string_view text) : m_text(text) {}

    bool Literal(std::string_view literal)
    {
        for (const char c : literal)
        {
            if (IsSpace(c))
            {
                SkipSpace();
                continue;
            }
            if (m_pos >= m_text.size() || m_text[m_pos] != c)
                return false;
            ++m_pos;
        }
        return true;
    }

    bool Number(int& value)
    {
        SkipSpace();
        std::size_t end = m_pos;
        if (end < m_text.size() && (m_text[end] == '+' || m_text[end] == '-'))
            ++end;
        const std::size_t digits = end;
        while (end < m_text.size() && m_text[end] >= '0' && m_text[end] <= '9')
            ++end;
        if (end == digits)
            return false;
        value = Atoi(m_text.substr(m_pos, end - m_pos));
        m_pos = end;
        return true;
    }

    bool Word(std::string_view& word)
    {
        SkipSpace();
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && !IsSpace(m_text[m_pos]))
            ++m_pos;
        word = m_text.substr(start, m_pos - start);
        return m_pos > start;
    }

private:
    void SkipSpace()
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};
} // namespace

std::string FormatPlacement(const CPlacement& p)
{
    return Format("X:%d, Y:%d, W:%d, H:%d, V:%s T:%s", p.x, p.y, p.w, p.h, p.visible ? "Y" : "N",
                  p.topmost ? "Y" : "N");
}

CPlacement ParsePlacement(std::string_view text)
{
    CPlacement p;
    CScanner scan(text);
    std::string_view word;
    if (!scan.Literal("X:") || !scan.Number(p.x))
        return p;
    if (!scan.Literal(", Y:") || !scan.Number(p.y))
        return p;
    if (!scan.Literal(", W:") || !scan.Number(p.w))
        return p;
    if (!scan.Literal(", H:") || !scan.Number(p.h))
        return p;
    if (!scan.Literal(", V:") || !scan.Word(word))
        return p;
    p.visible = TextBool(word);
    if (!scan.Literal(" T:") || !scan.Word(word))
        return p;
    p.topmost = TextBool(word);
    return p;
}

CPlacement& CWindowPlacements::Get(std::string_view window)
{
    auto it = m_records.find(window);
    if (it == m_records.end())
        it = m_records.emplace(std::string(window), CPlacement{}).first;
    return it->second;
}

const CPlacement* CWindowPlacements::Find(std::string_view window) const
{
    const auto it = m_records.find(window);
    return it == m_records.end() ? nullptr : &it->second;
}

bool CWindowPlacements::Save(ISettingsStore& store, std::string_view window) const
{
    const CPlacement* record = Find(window);
    const bool toolbar = window == WindowNames::Toolbar;
    if (!toolbar && (!record || !record->created))
        return false;
    return store.Write(SettingsKeys::Windows, window, FormatPlacement(record ? *record : CPlacement{}));
}

bool CWindowPlacements::Restore(const ISettingsStore& store, std::string_view window)
{
    const std::optional<std::string> text = store.Read(SettingsKeys::Windows, window);
    if (!text)
        return false;
    CPlacement& record = Get(window);
    const bool created = record.created;
    record = ParsePlacement(*text);
    record.created = created;
    return true;
}

void CWindowPlacements::SaveAll(ISettingsStore& store) const
{
    for (const std::string_view window : WindowNames::All)
        Save(store, window);
}

void CWindowPlacements::RestoreAll(const ISettingsStore& store)
{
    for (const std::string_view window : WindowNames::All)
        Restore(store, window);
}
