#include "platform/QtLinkOpener.h"

#include <gtest/gtest.h>

namespace
{
TEST(QtLinkOpener, AddressesForLinkTexts)
{
    const std::filesystem::path data = "/srv/moxa";
    struct CCase
    {
        const char* text;
        const char* url;
    };
    const CCase cases[] = {
        {"http://tellurin.example/manual", "http://tellurin.example/manual"},
        {"HTTPS://tellurin.example/bugs?id=1", "https://tellurin.example/bugs?id=1"},
        {"mailto:help@tellurin.example", "mailto:help@tellurin.example"},
        {"www.tellurin.example", "http://www.tellurin.example"},
        {"Help/orders.htm", "file:///srv/moxa/Help/orders.htm"},
        {"Help\\orders.htm", "file:///srv/moxa/Help/orders.htm"},
        {"\\Help\\orders.htm", "file:///srv/moxa/Help/orders.htm"},
        {"./Help/../Help/reports.htm", "file:///srv/moxa/Help/reports.htm"},
        {"/usr/share/doc/moxa.htm", "file:///usr/share/doc/moxa.htm"},
    };
    for (const CCase& c : cases)
        EXPECT_EQ(CQtLinkOpener::UrlFor(c.text, data).toString().toStdString(), c.url) << c.text;
    EXPECT_TRUE(CQtLinkOpener::UrlFor("", data).isEmpty());
}
} // namespace
