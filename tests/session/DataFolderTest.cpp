#include "session/DataFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// The folder each kind of start uses, and that a folder which is none is left untouched.
TEST(DataFolderTest, ChoosesNamedCurrentOrPerUserFolderAndSeedsItOnce)
{
    CTempDir dir;
    dir.WriteFile("current/Config/Categories.xml", "c");
    dir.WriteFile("waiting/Temp/Moxa_2026-01-02.zip", "z");
    dir.WriteFile("home/Documents/notes.txt", "n");
    dir.WriteFile("seed/Config/Categories.xml", "s");
    dir.WriteFile("seed/Orders/example.xml", "o");
    const fs::path perUser = dir / "share/moxa";

    const auto choose = [&](std::optional<fs::path> named, const fs::path& current) {
        return ChooseDataFolder({named, current, perUser, {dir / "no-such-seed", dir / "seed"}});
    };
    CDataFolderChoice choice = choose(dir / "current/", dir / "home");
    EXPECT_EQ(choice.source, EDataFolderSource::Named);
    EXPECT_EQ(choice.folder, dir / "current");
    EXPECT_EQ(choose(dir / "waiting", dir / "home").source, EDataFolderSource::Named);
    EXPECT_EQ(choose(std::nullopt, dir / "current").folder, dir / "current");

    choice = choose(dir / "home", dir / "current");
    EXPECT_EQ(choice.source, EDataFolderSource::None);
    EXPECT_EQ(choice.error, "'" + (dir / "home").string() +
                                "' is not a Moxa data folder: it holds neither a Config folder nor an update "
                                "archive in Temp");
    EXPECT_FALSE(fs::exists(perUser));

    choice = choose(std::nullopt, dir / "home");
    EXPECT_EQ(choice.source, EDataFolderSource::PerUserSeeded);
    EXPECT_EQ(choice.folder, perUser);
    EXPECT_EQ(choice.seed, dir / "seed");
    EXPECT_EQ(ReadFileBytes(perUser / "Config/Categories.xml"), "s");
    EXPECT_EQ(ReadFileBytes(perUser / "Orders/example.xml"), "o");
    EXPECT_FALSE(fs::exists(perUser / "Config.incoming"));
    EXPECT_EQ(fs::directory_iterator(dir / "home")->path(), dir / "home/Documents");

    // The second start finds the copy and keeps the player's changes.
    dir.WriteFile("share/moxa/Config/Categories.xml", "mine");
    EXPECT_EQ(choose(std::nullopt, dir / "home").source, EDataFolderSource::PerUser);
    EXPECT_EQ(ReadFileBytes(perUser / "Config/Categories.xml"), "mine");

    choice = ChooseDataFolder({std::nullopt, dir / "home", dir / "other", {dir / "no-such-seed"}});
    EXPECT_EQ(choice.source, EDataFolderSource::None);
    EXPECT_EQ(choice.error, "no data folder: the current directory holds no Config folder, nor does '" +
                                (dir / "other").string() +
                                "', and no sample data is installed to copy there (name one with --data-dir DIR)");
    EXPECT_FALSE(fs::exists(dir / "other"));

    EXPECT_EQ(PerUserDataFolder("/x/data", "/home/p"), fs::path("/x/data/moxa"));
    EXPECT_EQ(PerUserDataFolder("relative", "/home/p"), fs::path("/home/p/.local/share/moxa"));
    EXPECT_EQ(PerUserDataFolder(nullptr, "/home/p"), fs::path("/home/p/.local/share/moxa"));
    EXPECT_EQ(PerUserDataFolder(nullptr, nullptr), fs::path());
}
} // namespace
