#include "QtLinkOpener.h"

#include <QDesktopServices>
#include <algorithm>

namespace
{
bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
    {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// "scheme:" of two or more letters; a single letter is a drive, not a scheme.
bool HasScheme(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2)
        return false;
    const auto isSchemeChar = [](char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '-' || c == '.';
    };
    const char first = text[0];
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z')))
        return false;
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(colon),
                       isSchemeChar);
}
} // namespace

QUrl CQtLinkOpener::UrlFor(const std::string& text, const std::filesystem::path& dataFolder)
{
    if (text.empty())
        return {};
    if (HasScheme(text))
        return QUrl(QString::fromLatin1(text), QUrl::TolerantMode);
    if (StartsWithNoCase(text, "www."))
        return QUrl(QStringLiteral("http://") + QString::fromLatin1(text), QUrl::TolerantMode);

    // Files were written with the other platform's separators; one leading separator of
    // that kind still means "below the data folder".
    std::string relative = text;
    const bool fromDataFolder = relative.front() == '\\';
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::filesystem::path path(relative);
    if (fromDataFolder || path.is_relative())
        path = dataFolder / std::filesystem::path(relative).relative_path();
    // The desktop opens file addresses only when they are absolute.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (!error)
        path = absolute;
    return QUrl::fromLocalFile(QString::fromLatin1(path.lexically_normal().string()));
}

bool CQtLinkOpener::OpenUrl(const std::string& text)
{
    const QUrl url = UrlFor(text, m_dataFolder);
    return url.isValid() && !url.isEmpty() && QDesktopServices::openUrl(url);
}
