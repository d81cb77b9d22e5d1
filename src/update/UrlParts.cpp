#include "update/UrlParts.h"

#include "base/NumberText.h"

#include <cctype>

namespace
{
bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

bool AllDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}
} // namespace

CUrlParts SplitAddress(std::string_view address)
{
    CUrlParts parts;
    if (StartsWithNoCase(address, "https://"))
    {
        parts.https = true;
        address.remove_prefix(8);
    }
    else if (StartsWithNoCase(address, "http://"))
        address.remove_prefix(7);

    const std::size_t slash = address.find('/');
    std::string_view host = address.substr(0, slash);
    std::string_view rest =
        slash == std::string_view::npos ? std::string_view() : address.substr(slash);
    parts.port = parts.https ? 443 : 80;

    // The port follows the last ':' unless it sits inside an IPv6 literal.
    const std::size_t colon = host.rfind(':');
    const std::size_t bracket = host.rfind(']');
    if (colon != std::string_view::npos && (bracket == std::string_view::npos || bracket < colon))
    {
        const std::string_view port = host.substr(colon + 1);
        if (AllDigits(port))
        {
            const int value = Atoi(port);
            if (value > 0 && value <= 65535)
                parts.port = value;
        }
        host = host.substr(0, colon);
    }
    parts.host = std::string(host);

    std::string path;
    path.reserve(rest.size() + 1);
    for (const char c : rest)
        if (c != '/' || path.empty() || path.back() != '/')
            path.push_back(c);
    if (path.empty())
        path.push_back('/');
    parts.path = std::move(path);
    return parts;
}

std::string JoinAddress(std::string_view base, std::string_view file)
{
    std::string address(base);
    address.push_back('/');
    address.append(file);
    return address;
}

std::string FormatAddress(const CUrlParts& parts)
{
    std::string address = parts.https ? "https://" : "http://";
    address.append(parts.host);
    if (parts.port != (parts.https ? 443 : 80))
        address.append(Format(":%d", parts.port));
    address.append(parts.path);
    return address;
}

ERedirect CheckRedirect(std::string_view from, std::string_view to, int count)
{
    const bool toHttps = StartsWithNoCase(to, "https://");
    if (!toHttps && !StartsWithNoCase(to, "http://"))
        return ERedirect::Invalid;
    if (count > MaxRedirects)
        return ERedirect::TooMany;
    if (StartsWithNoCase(from, "https://") && !toHttps)
        return ERedirect::Downgrade;
    return ERedirect::Follow;
}
