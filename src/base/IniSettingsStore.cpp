#include "base/IniSettingsStore.h"

#include "base/AtomicFile.h"
#include "base/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// The unnamed value of a key is kept under this name.
constexpr std::string_view DefaultValueName = "(Default)";
constexpr std::string_view GeneralSection = "General";

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

std::string Folded(std::string_view key)
{
    std::string folded(key);
    for (char& c : folded)
        c = Lower(c);
    return folded;
}

std::string FullKey(std::string_view key, std::string_view name)
{
    std::string full(key);
    for (char& c : full)
        if (c == '\\')
            c = '/';
    full += '/';
    full += name.empty() ? DefaultValueName : name;
    return full;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80)
        out += static_cast<char>(cp);
    else if (cp < 0x800)
    {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else if (cp < 0x10000)
    {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    else
    {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `at`; a byte that starts no valid sequence stands for
// itself (a Latin-1 file edited by hand).
char32_t DecodeUtf8(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at);
    int length = first >= 0xF0 && first < 0xF5 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 1;
    if (first < 0x80 || at + static_cast<std::size_t>(length) > text.size())
        length = 1;
    char32_t cp = length == 1 ? first : length == 2 ? first & 0x1F : length == 3 ? first & 0x0F : first & 0x07;
    for (int i = 1; i < length; ++i)
    {
        const unsigned char next = byte(at + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80)
        {
            ++at;
            return first;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return cp;
}

// Characters beyond Latin-1 cannot be held by a setting.
char ToLatin1(char32_t cp)
{
    return cp <= 0xFF ? static_cast<char>(cp) : '?';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendHex(std::string& out, unsigned value, int digits, bool upper)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, upper ? "%0*X" : "%0*x", digits, value);
    out += buffer;
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r'))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<std::string> ReadWholeFile(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    for (;;)
    {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
        {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}
} // namespace

namespace Ini
{
std::string EscapeKey(std::string_view latin1)
{
    std::string out;
    for (const char c : latin1)
    {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/')
            out += '\\';
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                 c == '-' || c == '.')
            out += c;
        else
        {
            out += '%';
            AppendHex(out, u, 2, true);
        }
    }
    return out;
}

std::string UnescapeKey(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();)
    {
        const char c = text[i];
        if (c == '\\')
        {
            out += '/';
            ++i;
            continue;
        }
        if (c == '%')
        {
            const bool wide = i + 1 < text.size() && text[i + 1] == 'U';
            const std::size_t start = i + (wide ? 2 : 1);
            const std::size_t digits = wide ? 4 : 2;
            unsigned value = 0;
            bool ok = start + digits <= text.size();
            for (std::size_t d = 0; ok && d < digits; ++d)
            {
                const int h = HexDigit(text[start + d]);
                ok = h >= 0;
                value = value * 16 + static_cast<unsigned>(h < 0 ? 0 : h);
            }
            if (ok)
            {
                out += ToLatin1(value);
                i = start + digits;
                continue;
            }
        }
        out += ToLatin1(DecodeUtf8(text, i));
    }
    return out;
}

std::string EscapeValue(std::string_view latin1)
{
    std::string out;
    // A leading '@' would be read as a type marker.
    if (!latin1.empty() && latin1.front() == '@')
        out += '@';
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (const char c : latin1)
    {
        const auto u = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHex && HexDigit(c) >= 0)
        {
            // A digit after a numeric escape would run into it.
            out += "\\x";
            AppendHex(out, u, 1, false);
            continue;
        }
        escapeNextIfHex = false;
        switch (c)
        {
        case '\0': out += "\\0"; escapeNextIfHex = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            break;
        default:
            if (u <= 0x1F)
            {
                out += "\\x";
                AppendHex(out, u, 1, false);
                escapeNextIfHex = true;
            }
            else
                AppendUtf8(out, u);
        }
    }
    if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        return '"' + out + '"';
    return out;
}

std::string ParseValue(std::string_view utf8)
{
    std::vector<std::string> items;
    std::string current;
    std::size_t chopLimit = 0; // trailing blanks after this are not part of the value
    bool inQuotes = false;
    bool quoted = false;
    bool skipBlanks = true;
    const auto chop = [&] {
        if (!quoted)
            while (current.size() > chopLimit && (current.back() == ' ' || current.back() == '\t'))
                current.pop_back();
    };
    std::size_t i = 0;
    while (i < utf8.size())
    {
        const char c = utf8[i];
        if (skipBlanks && (c == ' ' || c == '\t'))
        {
            ++i;
            continue;
        }
        skipBlanks = false;
        if (c == '\\')
        {
            if (++i >= utf8.size())
                break;
            const char e = utf8[i++];
            static constexpr std::string_view codes = "a\ab\bf\fn\nr\rt\tv\v\"\"?\?''\\\\";
            bool known = false;
            for (std::size_t k = 0; k < codes.size(); k += 2)
                if (codes[k] == e)
                {
                    current += codes[k + 1];
                    known = true;
                    break;
                }
            if (!known && e == 'x')
            {
                char32_t value = 0;
                while (i < utf8.size() && HexDigit(utf8[i]) >= 0)
                    value = (value * 16 + static_cast<char32_t>(HexDigit(utf8[i++]))) & 0xFFFF;
                current += ToLatin1(value);
            }
            else if (!known && e >= '0' && e <= '7')
            {
                char32_t value = static_cast<char32_t>(e - '0');
                while (i < utf8.size() && utf8[i] >= '0' && utf8[i] <= '7')
                    value = (value * 8 + static_cast<char32_t>(utf8[i++] - '0')) & 0xFFFF;
                current += ToLatin1(value);
            }
            // An escaped line end continues the value; any other escaped character is dropped.
            if ((e == '\n' || e == '\r') && i < utf8.size() && (utf8[i] == '\n' || utf8[i] == '\r') &&
                utf8[i] != e)
                ++i;
            chopLimit = current.size();
            continue;
        }
        if (c == '"')
        {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            skipBlanks = !inQuotes;
            continue;
        }
        if (!inQuotes && c == ';')
            break; // a comment
        if (!inQuotes && c == ',')
        {
            chop();
            items.push_back(std::move(current));
            current.clear();
            chopLimit = 0;
            quoted = false;
            skipBlanks = true;
            ++i;
            continue;
        }
        current += ToLatin1(DecodeUtf8(utf8, i));
    }
    chop();
    if (!items.empty())
    {
        items.push_back(std::move(current));
        std::string joined;
        for (std::size_t k = 0; k < items.size(); ++k)
            joined += (k ? ", " : "") + items[k];
        return joined;
    }
    if (current.starts_with("@@"))
        return current.substr(1);
    if (current == "@Invalid()")
        return {};
    return current;
}

std::vector<std::pair<std::string, std::string>> ParseFile(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> values;
    std::string section;
    // A byte-order mark, as some editors write one.
    std::size_t at = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (at < text.size())
    {
        // Lines end in LF, CR LF or a lone CR. A backslash carries the next character, line
        // ends included, into the line.
        std::size_t end = at;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        {
            if (text[end] == '\\' && end + 2 < text.size() && text[end + 1] == '\r' && text[end + 2] == '\n')
                end += 3;
            else
                end += text[end] == '\\' ? 2 : 1;
        }
        end = std::min(end, text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);

        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#')
            continue;
        if (trimmed.front() == '[')
        {
            const std::size_t close = trimmed.find(']');
            // The names General and %General are recognised before unescaping.
            const std::string raw =
                Trim(std::string_view(trimmed).substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (EqualNoCase(raw, GeneralSection))
                section.clear();
            else if (raw.size() == GeneralSection.size() + 1 && raw.front() == '%' &&
                     EqualNoCase(std::string_view(raw).substr(1), GeneralSection))
                section = raw.substr(1);
            else
                section = UnescapeKey(raw);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string key = UnescapeKey(Trim(line.substr(0, equals)));
        if (key.empty())
            continue;
        values.emplace_back(section.empty() ? key : section + '/' + key, ParseValue(line.substr(equals + 1)));
    }
    return values;
}

std::string FormatFile(const std::map<std::string, std::string>& values)
{
    std::string out;
    const auto writeSection = [&](std::string_view name) {
        if (!out.empty())
            out += '\n';
        out += '[';
        out += name;
        out += "]\n";
    };
    bool general = false;
    // Keys without a group, and keys whose group or name part would be empty, live in
    // [General] with their whole path.
    const auto isRoot = [](const std::string& key) {
        const std::size_t slash = key.find('/');
        return slash == std::string::npos || slash == 0 || slash + 1 == key.size();
    };
    for (const auto& [key, value] : values)
        if (isRoot(key))
        {
            if (!general)
                writeSection(GeneralSection);
            general = true;
            out += EscapeKey(key) + '=' + EscapeValue(value) + '\n';
        }
    std::optional<std::string> section;
    for (const auto& [key, value] : values)
    {
        if (isRoot(key))
            continue;
        const std::size_t slash = key.find('/');
        const std::string_view name = std::string_view(key).substr(0, slash);
        if (section != name)
        {
            section = name;
            // A group that happens to be called General must not read back as [General].
            // (The prefix is appended, not concatenated to a temporary: GCC's -Wrestrict
            // misreads the latter at -O3.)
            std::string escaped;
            if (EqualNoCase(name, GeneralSection))
                escaped.append(1, '%').append(name);
            else
                escaped = EscapeKey(name);
            writeSection(escaped);
        }
        out += EscapeKey(std::string_view(key).substr(slash + 1));
        out += '=';
        out += EscapeValue(value);
        out += '\n';
    }
    return out;
}
} // namespace Ini

void CIniValues::Set(const std::string& key, std::string value)
{
    const auto [it, added] = m_spellings.try_emplace(Folded(key), key);
    m_values[it->second] = std::move(value);
}

const std::string* CIniValues::Spelling(const std::string& key) const
{
    const auto it = m_spellings.find(Folded(key));
    return it == m_spellings.end() ? nullptr : &it->second;
}

const std::string* CIniValues::Find(const std::string& key) const
{
    const std::string* spelling = Spelling(key);
    return spelling ? &m_values.at(*spelling) : nullptr;
}

namespace
{
// A save takes milliseconds; one that holds the lock for ten seconds is stuck.
constexpr std::chrono::seconds LockWait{10};
} // namespace

CIniSettingsStore::CIniSettingsStore(fs::path file) : m_file(std::move(file))
{
    CAtomicFile::RemoveLeftoversOf(m_file);
    std::error_code ec;
    const fs::file_status status = fs::status(m_file, ec);
    if (!fs::exists(status))
        return;
    // Reading a pipe would wait for a writer: such a file is left alone. (A device such as
    // /dev/null is read and written into.)
    const std::optional<std::string> text =
        fs::is_fifo(status) || fs::is_socket(status) ? std::nullopt : ReadWholeFile(m_file);
    if (!text)
    {
        m_unreadable = true;
        return;
    }
    for (auto& [key, value] : Ini::ParseFile(*text))
        m_values.Set(key, std::move(value));
}

std::optional<std::string> CIniSettingsStore::Read(std::string_view key, std::string_view name) const
{
    const std::string full = FullKey(key, name);
    if (const std::string* pending = m_pending.Find(full))
        return *pending;
    if (const std::string* stored = m_values.Find(full))
        return *stored;
    return std::nullopt;
}

bool CIniSettingsStore::Write(std::string_view key, std::string_view name, std::string_view text)
{
    std::string full = FullKey(key, name);
    if (m_pending.Spelling(full) == nullptr)
        if (const std::string* stored = m_values.Spelling(full))
            full = *stored;
    m_pending.Set(full, std::string(text));
    return true;
}

bool CIniSettingsStore::Flush()
{
    m_error.clear();
    if (m_pending.Empty())
        return true;
    if (m_unreadable)
    {
        m_error = "The settings file could not be read";
        return false;
    }
    std::error_code ec;
    if (m_file.has_parent_path())
        fs::create_directories(m_file.parent_path(), ec);
    // The same lock file as QSettings takes beside its files.
    CFileLock lock(m_file.native() + ".lock");
    if (!lock.Lock(LockWait))
    {
        m_error = lock.Error().empty() ? std::string("Another program is saving the settings") : lock.Error();
        return false;
    }
    CIniValues merged;
    if (fs::exists(m_file, ec))
    {
        const std::optional<std::string> text = ReadWholeFile(m_file);
        if (!text)
        {
            m_error = std::strerror(errno);
            return false;
        }
        for (auto& [key, value] : Ini::ParseFile(*text))
            merged.Set(key, std::move(value));
    }
    for (const auto& [key, value] : m_pending.BySpelling())
        merged.Set(key, value);
    if (!WriteFileAtomically(m_file, Ini::FormatFile(merged.BySpelling()), &m_error))
        return false;
    m_values = std::move(merged);
    m_pending = CIniValues();
    return true;
}
