#include "base/ZipNames.h"
#include "support/TempDir.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>

namespace
{
TEST(ZipNames, EntryPaths)
{
    const std::pair<const char*, bool> cases[] = {
        {"Categories.xml", true},   {"Crafts/Alchemy.xml", true}, {"Crafts/", true},    {"./a.xml", true},
        {"a b/c\xE9.xml", true},    {"", false},                  {"/etc/passwd", false}, {"../a.xml", false},
        {"a/../b.xml", false},      {"..", false},                {"a..b.xml", false},  {"a\\b.xml", false},
        {"\\a.xml", false},         {"C:/a.xml", false},          {"z:a.xml", false},   {"1:a.xml", true},
    };
    for (const auto& [path, safe] : cases)
        EXPECT_EQ(IsSafeEntryPath(path), safe) << path;
}

TEST(ZipNames, StoredNames)
{
    CTempDir dir;
    const auto good = dir / "good.zip";
    ASSERT_TRUE(WriteTestZip(good, {{"Crafts/", "", CZipEntry::EKind::Folder}, {"Crafts/a.xml", "x"}, {"b.png", "y"}}));
    EXPECT_TRUE(StoredZipNamesAreSafe(good));
    const auto empty = dir / "empty.zip";
    ASSERT_TRUE(WriteTestZip(empty, {}));
    EXPECT_TRUE(StoredZipNamesAreSafe(empty));

    for (const char* name : {"Crafts\\a.xml", "../a.xml", "/a.xml", "C:\\a.xml"})
    {
        SCOPED_TRACE(name);
        const auto bad = dir / "bad.zip";
        ASSERT_TRUE(WriteTestZip(bad, {{"ok.xml", "x"}, {name, "y"}}));
        EXPECT_FALSE(StoredZipNamesAreSafe(bad));
    }

    // Not a zip, cut short, or its directory pointing elsewhere.
    const std::string bytes = ReadFileBytes(good);
    std::string shifted = bytes;
    shifted[shifted.size() - 6] = static_cast<char>(shifted[shifted.size() - 6] + 1);
    for (const std::string& content : {std::string(), std::string("not a zip at all, just words"),
                                       bytes.substr(0, bytes.size() - 1), bytes.substr(0, bytes.size() / 2), shifted})
    {
        EXPECT_FALSE(StoredZipNamesAreSafe(dir.WriteFile("broken.zip", content)));
    }
    EXPECT_FALSE(StoredZipNamesAreSafe(dir / "missing.zip"));
}
} // namespace
