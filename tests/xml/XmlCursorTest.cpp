#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace
{
CXmlElement Root()
{
    return CXmlElement(std::string(CXmlElement::RootName));
}

// Every (attribute, text) pair NextTextAndAttribute yields before its first false.
std::vector<std::pair<std::string, std::string>> Iterate(const CXmlDocument& doc, CXmlElement& cursor,
                                                         std::string_view child)
{
    std::vector<std::pair<std::string, std::string>> out;
    std::string attribute;
    std::string text;
    for (int guard = 0; guard < 100 && cursor.NextTextAndAttribute(doc, child, attribute, text, true); ++guard)
        out.emplace_back(attribute, text);
    return out;
}

const char* const ListDocument = "<list>\n"
                                 "<entries>\n"
                                 "<entry key=\"A\">first</entry>\n"
                                 "<entry key=\"B\">second</entry>\n"
                                 "</entries>\n"
                                 "</list>\n";

TEST(XmlCursor, ReadsAnIterationOfEntries)
{
    CXmlDocument doc;
    doc.LoadFromText(ListDocument);
    CXmlElement root = Root();
    CXmlElement list("list");
    CXmlElement entries("entries");
    EXPECT_EQ(list.Position(), -1);
    ASSERT_TRUE(list.FindNext(doc, root));
    EXPECT_EQ(list.Position(), 0);
    ASSERT_TRUE(entries.FindNext(doc, list));
    EXPECT_EQ(entries.Position(), 1);
    const std::vector<std::pair<std::string, std::string>> expected = {{"A", "first"}, {"B", "second"}};
    EXPECT_EQ(Iterate(doc, entries, "entry"), expected);
}

TEST(XmlCursor, PreambleLinesChangeNothing)
{
    CXmlDocument plain;
    plain.LoadFromText(ListDocument);
    CXmlDocument decorated;
    decorated.LoadFromText(std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n\n"
                                       "<!-- sample list -->\n   \n") +
                           ListDocument);
    for (CXmlDocument* doc : {&plain, &decorated})
    {
        CXmlElement root = Root();
        CXmlElement list("list");
        CXmlElement entries("entries");
        ASSERT_TRUE(list.FindNext(*doc, root));
        ASSERT_TRUE(entries.FindNext(*doc, list));
        std::string text;
        EXPECT_TRUE(entries.GetText(*doc, "entry", text, true));
        EXPECT_EQ(text, "first");
        EXPECT_EQ(Iterate(*doc, entries, "entry").size(), 2u);
    }
}

TEST(XmlCursor, UpperCaseTagsDoNotMatch)
{
    CXmlDocument doc;
    doc.LoadFromText("<LIST>\n<Entry>x</Entry>\n</LIST>\n");
    CXmlElement root = Root();
    CXmlElement list("list");
    EXPECT_FALSE(list.FindNext(doc, root));
    std::string text = "kept";
    EXPECT_FALSE(root.GetText(doc, "entry", text, false));
    EXPECT_EQ(text, "kept");
}

const char* const SiblingDocument = "<set>\n"          // 0
                                    "<formula>\n"      // 1
                                    "<name>One</name>\n" // 2
                                    "<tier>\n"         // 3
                                    "<level>3</level>\n" // 4
                                    "</tier>\n"        // 5
                                    "</formula>\n"     // 6
                                    "<formula>\n"      // 7
                                    "<name>Two</name>\n" // 8
                                    "<cost gold=\"12\">-7x</cost>\n" // 9
                                    "<level> 42 </level>\n" // 10
                                    "</formula>\n"     // 11
                                    "</set>\n";        // 12

TEST(XmlCursor, GetStopsAtTheClosingLineButSeesGrandchildren)
{
    CXmlDocument doc;
    doc.LoadFromText(SiblingDocument);
    CXmlElement root = Root();
    CXmlElement set("set");
    CXmlElement formula("formula");
    ASSERT_TRUE(set.FindNext(doc, root));
    ASSERT_TRUE(formula.FindNext(doc, set));
    ASSERT_EQ(formula.Position(), 1);

    std::string text;
    // The first formula has no "cost" but the next one has: the scan stops at "</formula>".
    EXPECT_FALSE(formula.GetText(doc, "cost", text, true));
    EXPECT_EQ(text, "");
    int value = 99;
    EXPECT_TRUE(formula.GetInt(doc, "level", value, true));
    EXPECT_EQ(value, 3);

    ASSERT_TRUE(formula.FindNext(doc, set));
    ASSERT_EQ(formula.Position(), 7);
    EXPECT_TRUE(formula.GetText(doc, "name", text, true));
    EXPECT_EQ(text, "Two");
    EXPECT_TRUE(formula.GetInt(doc, "level", value, false));
    EXPECT_EQ(value, 42);

    std::string attribute;
    EXPECT_TRUE(formula.GetTextAndAttribute(doc, "cost", attribute, text, true));
    EXPECT_EQ(attribute, "12");
    EXPECT_EQ(text, "-7x");
    int number = 0;
    EXPECT_TRUE(formula.GetIntAndAttributeInt(doc, "cost", number, value, true));
    EXPECT_EQ(number, 12);
    EXPECT_EQ(value, -7);

    EXPECT_FALSE(formula.FindNext(doc, set));
    EXPECT_EQ(formula.Position(), 7);
}

TEST(XmlCursor, ClearFlagDecidesWhatAFailedGetLeaves)
{
    CXmlDocument doc;
    doc.LoadFromText(SiblingDocument);
    CXmlElement root = Root();
    CXmlElement formula("formula");
    ASSERT_TRUE(formula.FindNext(doc, root));

    std::string text = "old";
    std::string attribute = "old";
    int value = 5;
    int number = 6;
    EXPECT_FALSE(formula.GetText(doc, "missing", text, false));
    EXPECT_FALSE(formula.GetTextAndAttribute(doc, "missing", attribute, text, false));
    EXPECT_FALSE(formula.GetInt(doc, "missing", value, false));
    EXPECT_FALSE(formula.GetIntAndAttributeInt(doc, "missing", number, value, false));
    EXPECT_FALSE(formula.NextText(doc, "missing", text, false));
    EXPECT_FALSE(formula.NextTextAndAttribute(doc, "missing", attribute, text, false));
    EXPECT_EQ(text, "old");
    EXPECT_EQ(attribute, "old");
    EXPECT_EQ(value, 5);
    EXPECT_EQ(number, 6);

    EXPECT_FALSE(formula.GetInt(doc, "missing", value, true));
    EXPECT_EQ(value, 0);
    value = 5;
    EXPECT_FALSE(formula.GetIntAndAttributeInt(doc, "missing", number, value, true));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(formula.GetText(doc, "missing", text, true));
    EXPECT_EQ(text, "");
    text = attribute = "old";
    EXPECT_FALSE(formula.GetTextAndAttribute(doc, "missing", attribute, text, true));
    EXPECT_EQ(text, "");
    EXPECT_EQ(attribute, "");
    text = attribute = "old";
    EXPECT_FALSE(formula.NextTextAndAttribute(doc, "missing", attribute, text, true));
    EXPECT_EQ(text, "");
    EXPECT_EQ(attribute, "");
    text = "old";
    EXPECT_FALSE(formula.NextText(doc, "missing", text, true));
    EXPECT_EQ(text, "");

    // A found element with empty text gives empty text and 0 whatever the flag.
    doc.LoadFromText("<r>\n<n></n>\n<t>abc</t>\n</r>\n");
    CXmlElement r("r");
    CXmlElement top = Root();
    ASSERT_TRUE(r.FindNext(doc, top));
    text = "old";
    EXPECT_TRUE(r.GetText(doc, "n", text, false));
    EXPECT_EQ(text, "");
    value = 5;
    EXPECT_TRUE(r.GetInt(doc, "t", value, false));
    EXPECT_EQ(value, 0);
}

TEST(XmlCursor, NextTextVisitsEachChildOnceThenStartsAgain)
{
    CXmlDocument doc;
    doc.LoadFromText("<group>\n"
                     "<item>a</item>\n"
                     "\n"
                     "<!-- between -->\n"
                     "<other>z</other>\n"
                     "<item>b</item>\n"
                     "  \n"
                     "<item></item>\n"
                     "</group>\n"
                     "<item>outside</item>\n");
    CXmlElement root = Root();
    CXmlElement group("group");
    ASSERT_TRUE(group.FindNext(doc, root));
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        std::string text;
        std::vector<std::string> seen;
        while (group.NextText(doc, "item", text, true))
        {
            seen.push_back(text);
            ASSERT_LT(seen.size(), 10u);
        }
        EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", ""}));
    }
}

TEST(XmlCursor, RootIterationRunsToTheEnd)
{
    CXmlDocument doc;
    doc.LoadFromText("<v>1</v>\n</x>\n<v>2</v>\n");
    CXmlElement root = Root();
    std::string text;
    std::vector<std::string> seen;
    while (root.NextText(doc, "v", text, true))
        seen.push_back(text);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "2"}));
}

TEST(XmlCursor, FindNextKeepsItsPlaceAndFollowsItsParent)
{
    CXmlDocument doc;
    doc.LoadFromText("<cat>\n"        // 0
                     "<sub>s1</sub>\n" // 1
                     "<sub>s2</sub>\n" // 2
                     "</cat>\n"       // 3
                     "<sub>loose</sub>\n" // 4
                     "<cat>\n"        // 5
                     "<sub>s3</sub>\n" // 6
                     "</cat>\n");     // 7
    CXmlElement root = Root();
    CXmlElement cat("cat");
    CXmlElement sub("sub");
    ASSERT_TRUE(cat.FindNext(doc, root));
    std::vector<int> positions;
    while (sub.FindNext(doc, cat))
        positions.push_back(sub.Position());
    EXPECT_EQ(positions, (std::vector<int>{1, 2}));
    EXPECT_EQ(sub.Position(), 2);

    // The parent moves on; the child continues after it and skips the loose one.
    ASSERT_TRUE(cat.FindNext(doc, root));
    ASSERT_EQ(cat.Position(), 5);
    ASSERT_TRUE(sub.FindNext(doc, cat));
    EXPECT_EQ(sub.Position(), 6);
    EXPECT_FALSE(sub.FindNext(doc, cat));
    EXPECT_EQ(sub.Position(), 6);
    EXPECT_FALSE(cat.FindNext(doc, root));
    EXPECT_EQ(cat.Position(), 5);
}

TEST(XmlCursor, FindNextHasNoNotionOfDepth)
{
    CXmlDocument doc;
    doc.LoadFromText("<a>\n"     // 0
                     "<b>\n"     // 1
                     "<c>1</c>\n" // 2
                     "</b>\n"    // 3
                     "<a>\n"     // 4  nested, same name as the parent
                     "</a>\n"    // 5  ends the parent's search early
                     "<c>2</c>\n" // 6
                     "</a>\n");  // 7
    CXmlElement root = Root();
    CXmlElement a("a");
    CXmlElement c("c");
    ASSERT_TRUE(a.FindNext(doc, root));
    std::vector<int> positions;
    while (c.FindNext(doc, a))
        positions.push_back(c.Position());
    // The grandchild below "b" is found like a child; the one after the nested "a" is not.
    EXPECT_EQ(positions, (std::vector<int>{2}));
}

TEST(XmlCursor, EmptyElementTagIsNotTheElement)
{
    CXmlDocument doc;
    doc.LoadFromText("<r>\n<a/>\n<a>x</a>\n</r>\n");
    CXmlElement root = Root();
    CXmlElement r("r");
    ASSERT_TRUE(r.FindNext(doc, root));
    std::string text;
    EXPECT_TRUE(r.GetText(doc, "a", text, true));
    EXPECT_EQ(text, "x");
    CXmlElement a("a");
    ASSERT_TRUE(a.FindNext(doc, r));
    EXPECT_EQ(a.Position(), 2);
}

TEST(XmlCursor, MissingDocumentFailsEverySearch)
{
    CXmlDocument doc;
    EXPECT_FALSE(doc.Load("/nonexistent/moxa/file.xml"));
    CXmlElement root = Root();
    CXmlElement a("a");
    std::string text = "kept";
    int value = 3;
    EXPECT_FALSE(a.FindNext(doc, root));
    EXPECT_FALSE(root.GetText(doc, "a", text, false));
    EXPECT_FALSE(root.GetInt(doc, "a", value, false));
    EXPECT_FALSE(root.NextText(doc, "a", text, false));
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(value, 3);
}
// A position before the first line (set from outside) searches from the first line and
// reads nothing out of range; a position past the end finds nothing.
TEST(XmlCursor, PositionsOutsideTheDocumentAreSafe)
{
    CXmlDocument doc;
    doc.LoadFromText("<a>1</a>\n<b>2</b>\n");
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement b{"b"};
    b.SetPosition(-7);
    root.SetPosition(-5);
    ASSERT_TRUE(b.FindNext(doc, root));
    EXPECT_EQ(b.Position(), 1);
    std::string text;
    root.SetPosition(-30);
    EXPECT_TRUE(root.GetText(doc, "a", text, true));
    EXPECT_EQ(text, "1");
    root.SetPosition(1000);
    EXPECT_FALSE(root.GetText(doc, "a", text, true));
    EXPECT_EQ(text, "");
}
// Children far past the first lines and a hundred distinct tags: the searches that go
// through the tag index find the same lines as a scan, and a reload forgets the old tags.
TEST(XmlCursor, FarChildrenAndManyTagsAreFoundByTheIndex)
{
    std::string text = "<set>\n<item>\n";
    for (int i = 0; i < 100; ++i)
        text += "<filler" + std::to_string(i) + ">x</filler" + std::to_string(i) + ">\n";
    text += "<item-name>Far</item-name>\n</item>\n<item>\n<item-name>Near</item-name>\n</item>\n"
            "<late>after</late>\n</set>\n";
    CXmlDocument doc;
    doc.LoadFromText(text);
    CXmlElement root = Root();
    CXmlElement set{"set"};
    ASSERT_TRUE(set.FindNext(doc, root));
    CXmlElement item{"item"};
    std::vector<std::string> names;
    std::string name;
    while (item.FindNext(doc, set))
    {
        // "late" follows the last closing "item" line: never a child of either item.
        EXPECT_FALSE(item.GetText(doc, "late", name, true));
        EXPECT_TRUE(item.GetText(doc, "item-name", name, true));
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Far", "Near"}));
    EXPECT_EQ(doc.FirstLineWithTag("filler99", 0), 101);
    EXPECT_EQ(doc.FirstLineWithTag("filler99", 102), -1);
    EXPECT_EQ(doc.FirstLineWithTagBefore("late", "/item", 0), -1);
    EXPECT_EQ(doc.FirstLineWithTagBefore("late", "no-such-tag", 0), 107);
    EXPECT_EQ(doc.FirstLineWithTagBefore("no-such-tag", "/item", 0), -1);

    doc.LoadFromText("<other>1</other>\n");
    EXPECT_EQ(doc.FirstLineWithTag("filler3", 0), -1);
    EXPECT_EQ(doc.FirstLineWithTag("other", 0), 0);
}
// The lines and searches as a plain scan of the text sees them.
struct CPlainLines
{
    std::vector<std::string> lines;

    explicit CPlainLines(const std::string& text)
    {
        std::size_t start = 0;
        while (start < text.size())
        {
            std::size_t end = text.find('\n', start);
            const bool broken = end != std::string::npos;
            if (!broken)
                end = text.size();
            std::size_t stop = end;
            if (broken && stop > start && text[stop - 1] == '\r')
                --stop;
            std::size_t first = start;
            while (first < stop && std::string_view(" \t\r\n\v\f").find(text[first]) != std::string_view::npos)
                ++first;
            lines.push_back(text.substr(first, stop - first));
            start = broken ? end + 1 : text.size();
        }
    }

    int Before(std::string_view tag, std::string_view stop, int from) const
    {
        for (int i = std::max(from, 0); i < static_cast<int>(lines.size()); ++i)
        {
            const std::string_view name = CXmlDocument::LineTagName(lines[static_cast<std::size_t>(i)]);
            if (name.empty())
                continue;
            if (name == tag)
                return i;
            if (name == stop)
                return -1;
        }
        return -1;
    }
};

TEST(XmlCursor, SearchesAgreeWithAPlainScanOnRandomDocuments)
{
    // Names that share their first and last eight bytes, short names, and pieces that make
    // lines without a tag, with a tag after other text, with CR LF breaks and attributes.
    const std::vector<std::string> names = {"a", "ab", "abc", "abcd", "abcde", "tier", "tier-name",
                                            "/tier", "resource-name", "resource-skill",
                                            "abcdefgh-one-abcdefgh", "abcdefgh-two-abcdefgh",
                                            "abcdefghabcdefgh", "abcdefghabcdefgh1", "x y"};
    const std::vector<std::string> pieces = {"<", ">", " ", "\t", "\r", "\"", "=", "/", "v", "</", "\r\n"};
    std::mt19937 random(12345);
    auto pick = [&random](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 300; ++round)
    {
        std::string text;
        const int lineCount = 1 + static_cast<int>(pick(60));
        for (int l = 0; l < lineCount; ++l)
        {
            text.append(pick(3) == 0 ? pick(20) : pick(3), '\t');
            const std::string& name = names[pick(names.size())];
            switch (pick(6))
            {
            case 0: text += "<" + name + ">v</" + name + ">"; break;
            case 1: text += "<" + name + " k=\"q\">v</" + name + ">"; break;
            case 2: text += "<" + name + ">"; break;
            case 3: text += "</" + name + ">"; break;
            case 4: text += "<" + name + " k=\"q\""; break;
            default:
                for (std::size_t k = pick(8); k > 0; --k)
                    text += k % 3 == 0 ? name : pieces[pick(pieces.size())];
            }
            if (pick(10) == 0)
                text += "\r";
            if (l + 1 < lineCount || pick(2) == 0)
                text += "\n";
        }
        SCOPED_TRACE(text);
        const CPlainLines plain(text);
        CXmlDocument doc;
        doc.LoadFromText(text);
        ASSERT_EQ(doc.LineCount(), static_cast<int>(plain.lines.size()));
        for (int i = 0; i < doc.LineCount(); ++i)
            ASSERT_EQ(doc.RawLine(i), plain.lines[static_cast<std::size_t>(i)]) << "line " << i;
        std::vector<std::string> asked = names;
        asked.push_back("/abcdefgh-one-abcdefgh");
        asked.push_back("no-such-tag");
        for (int from = -1; from <= doc.LineCount(); ++from)
            for (std::size_t q = 0; q < 6; ++q)
            {
                const std::string& tag = asked[pick(asked.size())];
                const std::string& stop = asked[pick(asked.size())];
                ASSERT_EQ(doc.FirstLineWithTagBefore(tag, stop, from), plain.Before(tag, stop, from))
                    << tag << " before " << stop << " from " << from;
                ASSERT_EQ(doc.FirstLineWithTag(tag, from), plain.Before(tag, "", from))
                    << tag << " from " << from;
            }
    }
}
} // namespace
