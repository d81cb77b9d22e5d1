#include "support/TempDir.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace fs = std::filesystem;

namespace
{
TEST(XmlWriter, ByteLayout)
{
    CTempDir dir;
    const fs::path path = dir / "order.xml";
    CXmlDocument doc;
    ASSERT_TRUE(doc.OpenForWrite(path));
    EXPECT_TRUE(doc.IsOpenForWrite());
    doc.BeginElement("order");
    doc.WriteElement("order-version", 2);
    doc.BeginElement("group");
    doc.WriteElement("group-name", "Smiths");
    doc.WriteElement("group-note", "");
    doc.BeginElement("item");
    doc.WriteElementWithAttributes("tech", "tier=\"Tier II\"", "Quick Hands");
    doc.WriteElementWithAttributes("acq", "qty=\"3\"", "");
    doc.WriteElement("zero", 0);
    doc.WriteElement("low", INT_MIN);
    doc.EndElement("item");
    doc.EndElement("group");
    doc.EndElement("order");
    ASSERT_TRUE(doc.Close());
    EXPECT_FALSE(doc.IsOpenForWrite());

    EXPECT_EQ(ReadFileBytes(path), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                   "<order>\n"
                                   "\t<order-version>2</order-version>\n"
                                   "\t<group>\n"
                                   "\t\t<group-name>Smiths</group-name>\n"
                                   "\t\t<group-note></group-note>\n"
                                   "\t\t<item>\n"
                                   "\t\t\t<tech tier=\"Tier II\">Quick Hands</tech>\n"
                                   "\t\t\t<acq qty=\"3\"></acq>\n"
                                   "\t\t\t<zero>0</zero>\n"
                                   "\t\t\t<low>-2147483648</low>\n"
                                   "\t\t</item>\n"
                                   "\t</group>\n"
                                   "</order>\n");
}

TEST(XmlWriter, HeaderOnlyAndDepthRestartsOnEachOpen)
{
    CTempDir dir;
    CXmlDocument doc;
    ASSERT_TRUE(doc.OpenForWrite(dir / "a.xml"));
    doc.BeginElement("left-open");
    ASSERT_TRUE(doc.Close());
    ASSERT_TRUE(doc.OpenForWrite(dir / "b.xml"));
    doc.WriteElement("v", "1");
    ASSERT_TRUE(doc.Close());
    EXPECT_EQ(ReadFileBytes(dir / "a.xml"), std::string(CXmlDocument::Header) + "<left-open>\n");
    EXPECT_EQ(ReadFileBytes(dir / "b.xml"), std::string(CXmlDocument::Header) + "<v>1</v>\n");
}

TEST(XmlWriter, BytesComeBackUnchanged)
{
    const std::string values[] = {
        "R&D", "a < b", "&lt;kept&gt;", "\xC4rger \xE9t\xE9 \xFF\xA0", "\"quoted\"", " spaced  ", "x>y",
    };
    CTempDir dir;
    const fs::path path = dir / "values.xml";
    CXmlDocument doc;
    ASSERT_TRUE(doc.OpenForWrite(path));
    doc.BeginElement("values");
    for (const std::string& value : values)
    {
        doc.WriteElement("value", value);
        // An attribute is read up to the next quote, and a ">" in it would end the tag.
        if (value.find_first_of("\">") == std::string::npos)
            doc.WriteElementWithAttributes("keyed", "key=\"" + value + "\"", value);
    }
    doc.EndElement("values");
    ASSERT_TRUE(doc.Close());

    CXmlDocument in;
    ASSERT_TRUE(in.Load(path));
    CXmlElement root(std::string(CXmlElement::RootName));
    CXmlElement list("values");
    ASSERT_TRUE(list.FindNext(in, root));
    std::string attribute;
    std::string text;
    for (const std::string& value : values)
    {
        SCOPED_TRACE(value);
        ASSERT_TRUE(list.NextText(in, "value", text, true));
        EXPECT_EQ(text, value);
        if (value.find_first_of("\">") == std::string::npos)
        {
            ASSERT_TRUE(list.NextTextAndAttribute(in, "keyed", attribute, text, true));
            EXPECT_EQ(attribute, value);
            EXPECT_EQ(text, value);
        }
    }
    EXPECT_FALSE(list.NextText(in, "value", text, true));
}

TEST(XmlWriter, NothingReachesTheTargetBeforeClose)
{
    CTempDir dir;
    const fs::path path = dir.WriteFile("profile.xml", "old bytes");
    CXmlDocument doc;
    ASSERT_TRUE(doc.OpenForWrite(path));
    doc.WriteElement("profile-name", "Ana");
    EXPECT_EQ(ReadFileBytes(path), "old bytes");
    ASSERT_TRUE(doc.Close());
    EXPECT_EQ(ReadFileBytes(path), std::string(CXmlDocument::Header) + "<profile-name>Ana</profile-name>\n");
    // Only the target is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(XmlWriter, FolderThatDoesNotExist)
{
    CTempDir dir;
    CXmlDocument doc;
    EXPECT_FALSE(doc.OpenForWrite(dir / "no" / "such" / "file.xml"));
    EXPECT_FALSE(doc.IsOpenForWrite());
    // Writing without an open file does nothing and Close reports it.
    doc.BeginElement("a");
    doc.WriteElement("b", "c");
    doc.EndElement("a");
    EXPECT_FALSE(doc.Close());
    EXPECT_FALSE(fs::exists(dir / "no"));
}
} // namespace
