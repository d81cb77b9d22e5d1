#pragma once

#include <string>
#include <string_view>

// An update address split the way the requests are made: the scheme decides the port, the
// host runs up to the first '/', the rest is the object path.
struct CUrlParts
{
    bool https = false;
    std::string host; // without a port
    int port = 80;
    std::string path; // always begins with '/'
};

// "http://" and "https://" are dropped (in any case); every "//" of the object path becomes
// "/". A port written in the host ("127.0.0.1:8080") is honoured, otherwise 443 for https
// and 80 for anything else.
CUrlParts SplitAddress(std::string_view address);

// The address of a file on a server: base address + "/" + file name (the path collapses a
// doubled separator).
std::string JoinAddress(std::string_view base, std::string_view file);

// The same parts as one address again, for the HTTP library.
std::string FormatAddress(const CUrlParts& parts);

// At most this many redirects are followed for one transfer.
inline constexpr int MaxRedirects = 5;

enum class ERedirect
{
    Follow,
    TooMany,   // more than MaxRedirects
    Downgrade, // from https to anything else
    Invalid    // not an http or https address
};

// Whether a transfer at address `from` may follow its redirect number `count` (1 for the
// first) to the absolute address `to`.
ERedirect CheckRedirect(std::string_view from, std::string_view to, int count);
