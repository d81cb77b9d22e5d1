#include "support/TempDir.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace
{
struct LineCase
{
    const char* line;
    const char* tag;
    const char* text;
    const char* attribute;
};

TEST(XmlLines, AnalysisOfOneLine)
{
    const LineCase cases[] = {
        {"<a>x</a>", "a", "x", ""},
        {"<a></a>", "a", "", ""},
        {"<a/>", "a/", "", ""},
        {"<a b=\"1\">2</a>", "a", "2", "1"},
        {"<a b=\"1\" c=\"2\">3</a>", "a", "3", "1"},
        {"<a b=\"1\"></a>", "a", "", "1"},
        {"<tech tier=\"Tier II\">Quick Hands</tech>", "tech", "Quick Hands", "Tier II"},
        {"</tier>", "/tier", "", ""},
        {"<tier>", "tier", "", ""},
        {"<a >x</a>", "a", "x", ""},
        {"<A>x</A>", "A", "x", ""},
        {"<a>x</a>   ", "a", "x", ""},
        {"<a> x y </a>", "a", " x y ", ""},
        {"<a>x", "a", "", ""},
        {"<a>x</b>", "a", "x", ""},
        {"<a>x</a></a>", "a", "x", ""},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>", "?xml", "", "1.0"},
        {"<!-- a comment -->", "!--", "", ""},
        {"", "", "", ""},
        {"plain words", "", "", ""},
        {"<>", "", "", ""},
        {"< a>x</a>", "", "x", ""},
        {"<a", "", "", ""},
        {"x>y<a", "", "", ""},
        {">x<a>", "a", "", ""},
        {"x>y<a>z</a>", "a", "y<a>z", ""},
        {"<a b='1'>2</a>", "a", "2", ""},
        {"<a b=\"1>2</a>", "a", "2", ""},
        {"\"q\"<a>x</a>", "a", "x", ""},
        {"<a b=\"1\"", "", "", ""},
        {"<a b=\">\">v</a>", "a", "\">v", ">"},
        {"<a>R&amp;D < 3</a>", "a", "R&amp;D < 3", ""},
        {"<a>\xE9t\xE9 \xFF</a>", "a", "\xE9t\xE9 \xFF", ""},
    };
    for (const LineCase& c : cases)
    {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(CXmlDocument::LineTagName(c.line), c.tag);
        EXPECT_EQ(CXmlDocument::LineElementText(c.line), c.text);
        EXPECT_EQ(CXmlDocument::LineAttributeValue(c.line), c.attribute);
    }
}

TEST(XmlLines, LinesAreLeftTrimmedOnly)
{
    CXmlDocument doc;
    doc.LoadFromText(" \t\v\f\r<a>x</a> \t\n\n   \n\t<b b=\"1\">y</b>\r\n<c>z</c>");
    ASSERT_EQ(doc.LineCount(), 5);
    EXPECT_EQ(doc.RawLine(0), "<a>x</a> \t");
    EXPECT_EQ(doc.RawLine(1), "");
    EXPECT_EQ(doc.RawLine(2), "");
    // A line break written as CR LF counts as one line break.
    EXPECT_EQ(doc.RawLine(3), "<b b=\"1\">y</b>");
    EXPECT_EQ(doc.RawLine(4), "<c>z</c>");
    EXPECT_EQ(doc.TagName(3), "b");
    EXPECT_EQ(doc.ElementText(3), "y");
    EXPECT_EQ(doc.AttributeValue(3), "1");
}

TEST(XmlLines, IndexOutsideTheListIsEmpty)
{
    CXmlDocument doc;
    doc.LoadFromText("<a>x</a>\n");
    ASSERT_EQ(doc.LineCount(), 1);
    for (int index : {-1, 1, 1000})
    {
        EXPECT_EQ(doc.RawLine(index), "");
        EXPECT_EQ(doc.TagName(index), "");
        EXPECT_EQ(doc.ElementText(index), "");
        EXPECT_EQ(doc.AttributeValue(index), "");
    }
}

TEST(XmlLines, LoadReadsTheFileBytes)
{
    CTempDir dir;
    const auto path = dir.WriteFile("a.xml", "<?xml version=\"1.0\"?>\n<a>\xE9\xE8&amp;</a>\n  <b>2</b>");
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(path));
    ASSERT_EQ(doc.LineCount(), 3);
    EXPECT_EQ(doc.ElementText(1), "\xE9\xE8&amp;");
    EXPECT_EQ(doc.RawLine(2), "<b>2</b>");

    // Loading replaces the lines; a failed load leaves none.
    const auto other = dir.WriteFile("b.xml", "<c>3</c>\n");
    ASSERT_TRUE(doc.Load(other));
    ASSERT_EQ(doc.LineCount(), 1);
    EXPECT_EQ(doc.RawLine(0), "<c>3</c>");
    EXPECT_FALSE(doc.Load(dir / "missing.xml"));
    EXPECT_EQ(doc.LineCount(), 0);
    EXPECT_FALSE(doc.Load(dir.Path()));
    EXPECT_EQ(doc.LineCount(), 0);

    CXmlElement root(std::string(CXmlElement::RootName));
    CXmlElement c("c");
    EXPECT_FALSE(c.FindNext(doc, root));
}

TEST(XmlLines, EmptyFileHasNoLines)
{
    CTempDir dir;
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(dir.WriteFile("empty.xml", "")));
    EXPECT_EQ(doc.LineCount(), 0);
}

TEST(XmlLines, ALastLineWithoutABreakEndsWithTheTextInAReusedBuffer)
{
    // The next document of a thread reads into the last one's buffer: after a shorter text
    // come the earlier bytes, with a line break not far behind its end.
    CTempDir dir;
    std::string earlier = "<r>\n";
    for (int i = 0; i < 5; ++i)
        earlier += "ABC> EFGHIJ\n";
    const auto longer = dir.WriteFile("long.xml", earlier);
    const std::pair<std::string, std::string> lasts[] = {
        {"text", "text"}, {"<abc", "<abc"}, {"<a>b</a>", "<a>b</a>"}, {"\t<a k=\"v\"", "<a k=\"v\""}};
    for (const auto& [last, line] : lasts)
    {
        SCOPED_TRACE(last);
        {
            CXmlDocument first;
            ASSERT_TRUE(first.Load(longer));
            ASSERT_EQ(first.LineCount(), 6);
        }
        CXmlDocument doc;
        ASSERT_TRUE(doc.Load(dir.WriteFile("short.xml", "<r>\n" + last)));
        ASSERT_EQ(doc.LineCount(), 2);
        EXPECT_EQ(doc.RawLine(1), line);
        EXPECT_EQ(doc.FirstLineWithTag("a", 0), last == "<a>b</a>" ? 1 : -1);
    }
}
} // namespace
