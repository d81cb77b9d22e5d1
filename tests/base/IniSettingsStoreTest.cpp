#include "base/IniSettingsStore.h"
#include "base/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Laid out byte for byte as QSettings writes the same values.
constexpr std::string_view QtLayout = "[General]\n"
                                      "Top=v\n"
                                      "\n"
                                      "[SOFTWARE]\n"
                                      "Quillwerk\\Tellurin\\%28Default%29=/games/Tellurin\n"
                                      "\n"
                                      "[Software]\n"
                                      "Moxa2\\Config\\At=\"@@x;y=z\\\"q\\\\ \\t\"\n"
                                      "Moxa2\\Config\\Ctl=a\\x1\x7f"
                                      "b\\n\n"
                                      "Moxa2\\Config\\CurrentProfile=Ana \xC3\xA9l\xC3\xA8ve\n"
                                      "Moxa2\\Config\\Empty=\n"
                                      "Moxa2\\Config\\Sp=\" lead\"\n"
                                      "Moxa2\\Config\\Windows\\ToolbarWnd=\"X:10, Y:-20, W:-1, H:-1, V:Y T:N\"\n";

const std::map<std::string, std::string>& QtLayoutValues()
{
    static const std::map<std::string, std::string> values = {
        {"Top", "v"},
        {"SOFTWARE/Quillwerk/Tellurin/(Default)", "/games/Tellurin"},
        {"Software/Moxa2/Config/At", "@x;y=z\"q\\ \t"},
        {"Software/Moxa2/Config/Ctl", std::string("a\x01\x7f") + "b\n"},
        {"Software/Moxa2/Config/CurrentProfile", "Ana \xE9l\xE8ve"},
        {"Software/Moxa2/Config/Empty", ""},
        {"Software/Moxa2/Config/Sp", " lead"},
        {"Software/Moxa2/Config/Windows/ToolbarWnd", "X:10, Y:-20, W:-1, H:-1, V:Y T:N"},
    };
    return values;
}

TEST(IniFile, WritesTheQSettingsLayoutAndReadsItBack)
{
    EXPECT_EQ(Ini::FormatFile(QtLayoutValues()), QtLayout);
    const auto parsed = Ini::ParseFile(QtLayout);
    const std::map<std::string, std::string> values(parsed.begin(), parsed.end());
    EXPECT_EQ(values, QtLayoutValues());
    EXPECT_EQ(Ini::FormatFile({}), "");

    // Keys that would read back as something else.
    const std::map<std::string, std::string> odd = {
        {"General/x", "1"}, {"/lead", "2"}, {"a/b//c", "3"}, {"es/", "4"}, {"%General/y", "5"}};
    const std::string oddFile = Ini::FormatFile(odd);
    EXPECT_EQ(oddFile, "[General]\n\\lead=2\nes\\=4\n\n[%25General]\ny=5\n\n[%General]\nx=1\n\n"
                       "[a]\nb\\\\c=3\n");
    const auto oddParsed = Ini::ParseFile(oddFile);
    EXPECT_EQ((std::map<std::string, std::string>(oddParsed.begin(), oddParsed.end())), odd);
}

TEST(IniFile, ValueEscapes)
{
    EXPECT_EQ(Ini::EscapeValue("plain text"), "plain text");
    EXPECT_EQ(Ini::EscapeValue("trailing "), "\"trailing \"");
    EXPECT_EQ(Ini::EscapeValue(std::string("\0" "1", 2)), "\\0\\x31");
    EXPECT_EQ(Ini::EscapeValue("\x02" "f\x03g"), "\\x2\\x66\\x3g");
    EXPECT_EQ(Ini::EscapeValue("@"), "@@");
    for (const std::string& value : {std::string("\0" "1", 2), std::string("\x02" "f\x03g"), std::string("@"),
                                    std::string(" \xFF\x80 "), std::string("a=b;c,d")})
        EXPECT_EQ(Ini::ParseValue(Ini::EscapeValue(value)), value);
}

TEST(IniFile, HandWrittenValues)
{
    // Unquoted commas make a list, which reads back as one text.
    EXPECT_EQ(Ini::ParseValue("Ana,  the Smith ,x"), "Ana, the Smith, x");
    EXPECT_EQ(Ini::ParseValue("  spaced out  ; a comment"), "spaced out");
    EXPECT_EQ(Ini::ParseValue("\"quoted ; kept\" ; not kept"), "quoted ; kept");
    EXPECT_EQ(Ini::ParseValue("\"a, b\", c"), "a, b, c");
    EXPECT_EQ(Ini::ParseValue("octal \\101\\x42"), "octal AB");
    EXPECT_EQ(Ini::ParseValue("unknown \\q escape"), "unknown  escape");
    EXPECT_EQ(Ini::ParseValue("@Invalid()"), "");
    EXPECT_EQ(Ini::ParseValue("Latin-1 \xE9t\xE9"), "Latin-1 \xE9t\xE9");
    EXPECT_EQ(Ini::ParseValue("beyond \xE2\x82\xAC"), "beyond ?");

    const auto parsed = Ini::ParseFile("; comment\r\n"
                                       "# another\r\n"
                                       "[%General]\r\n"
                                       "Key = one\\\r\n two\r\n"
                                       "no equals sign\r\n"
                                       "[general]\r\n"
                                       "Root=r\r\n"
                                       "[A%20b]\r\n"
                                       "c%7Ed\\e=1\r\n"
                                       "=ignored\r\n");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"General/Key", "one two"}, {"Root", "r"}, {"A b/c~d/e", "1"}};
    EXPECT_EQ(parsed, expected);
    EXPECT_EQ(Ini::EscapeKey("A b/c~d"), "A%20b\\c%7Ed");
    EXPECT_EQ(Ini::UnescapeKey("%U00e9%zz"), "\xE9%zz");
}

// Files edited by hand: a byte-order mark, lines ended by a lone CR.
TEST(IniFile, ByteOrderMarkAndCrLineEnds)
{
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Software/Moxa2/Config/IconSize", "24"}, {"Software/Moxa2/Config/Theme", "Dark"}, {"Top", "1"}};
    for (const std::string& text :
         {std::string("\xEF\xBB\xBF[Software]\nMoxa2\\Config\\IconSize=24\nMoxa2\\Config\\Theme=Dark\n[General]\nTop=1\n"),
          std::string("[Software]\rMoxa2\\Config\\IconSize=24\rMoxa2\\Config\\Theme=Dark\r[General]\rTop=1\r"),
          std::string("\xEF\xBB\xBF[Software]\r\nMoxa2\\Config\\IconSize=24\rMoxa2\\Config\\Theme=Dark\n\r[General]\rTop=1")})
    {
        SCOPED_TRACE(text);
        EXPECT_EQ(Ini::ParseFile(text), expected);
    }
}

// Two processes saving different keys at the same moment: both succeed and both values
// are in the file afterwards.
TEST(IniSettingsStore, ConcurrentSavesOfTwoProcessesKeepBothValues)
{
    CTempDir dir;
    const fs::path file = dir / "Moxa2.ini";
    for (int pair = 0; pair < 20; ++pair)
    {
        SCOPED_TRACE(pair);
        std::string filler;
        for (int i = 0; i < 300; ++i)
            filler += "Moxa2\\Config\\Key" + std::to_string(i) + "=" + std::to_string(i * pair) + "\n";
        dir.WriteFile("Moxa2.ini", "[Software]\n" + filler);
        pid_t children[2];
        for (int c = 0; c < 2; ++c)
            if ((children[c] = ::fork()) == 0)
            {
                CIniSettingsStore store(file);
                store.Write(SettingsKeys::Config, c ? "Second" : "First", std::to_string(pair));
                ::_exit(store.Flush() ? 0 : 1);
            }
        for (const pid_t child : children)
        {
            int status = -1;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const CIniSettingsStore after(file);
        EXPECT_EQ(after.Read(SettingsKeys::Config, "First"), std::to_string(pair));
        EXPECT_EQ(after.Read(SettingsKeys::Config, "Second"), std::to_string(pair));
        EXPECT_EQ(after.Read(SettingsKeys::Config, "Key299"), std::to_string(299 * pair));
    }
}

TEST(IniSettingsStore, ValuesSurviveTheFileAndMergeWithOtherWriters)
{
    CTempDir dir;
    const fs::path file = dir / "conf/Moxa2.ini";
    CIniSettingsStore first(file);
    EXPECT_EQ(first.Read(SettingsKeys::Config, "IconSize"), std::nullopt);
    EXPECT_TRUE(first.Write(SettingsKeys::Config, "IconSize", "24"));
    EXPECT_EQ(first.Read(SettingsKeys::Config, "iconsize"), "24");
    EXPECT_TRUE(first.Write(SettingsKeys::Game, "", "/games/Tellurin"));
    EXPECT_TRUE(first.Flush());
    EXPECT_EQ(ReadFileBytes(file), "[SOFTWARE]\n"
                                   "Quillwerk\\Tellurin\\%28Default%29=/games/Tellurin\n"
                                   "\n"
                                   "[Software]\n"
                                   "Moxa2\\Config\\IconSize=24\n");

    // A second instance saves meanwhile; neither loses the other's values.
    CIniSettingsStore second(file);
    EXPECT_TRUE(second.Write("software\\moxa2\\config", "ICONSIZE", "32"));
    EXPECT_TRUE(second.Write(SettingsKeys::Config, "Theme", "Dark"));
    EXPECT_TRUE(second.Flush());
    EXPECT_TRUE(first.Write(SettingsKeys::Config, "ReportType", "2"));
    EXPECT_TRUE(first.Flush());
    EXPECT_EQ(ReadFileBytes(file), "[SOFTWARE]\n"
                                   "Quillwerk\\Tellurin\\%28Default%29=/games/Tellurin\n"
                                   "\n"
                                   "[Software]\n"
                                   "Moxa2\\Config\\IconSize=32\n"
                                   "Moxa2\\Config\\ReportType=2\n"
                                   "Moxa2\\Config\\Theme=Dark\n");
    EXPECT_EQ(first.Read(SettingsKeys::Config, "Theme"), "Dark");
    EXPECT_EQ(CIniSettingsStore(file).Read(SettingsKeys::Config, "IconSize"), "32");
}

// MOXA_SETTINGS naming a pipe: nothing waits for a writer and the node stays a pipe.
TEST(IniSettingsStore, APipeIsNeitherReadNorReplaced)
{
    CTempDir dir;
    const fs::path fifo = dir / "Moxa2.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    CIniSettingsStore store(fifo);
    EXPECT_TRUE(store.Write(SettingsKeys::Config, "Theme", "Dark"));
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(IniSettingsStore, NeverOverwritesWhatItCouldNotRead)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    CTempDir dir;
    const fs::path file = dir.WriteFile("Moxa2.ini", "[Software]\nMoxa2\\Config\\IconSize=24\n");
    ::chmod(file.c_str(), 0);
    CIniSettingsStore store(file);
    EXPECT_TRUE(store.Write(SettingsKeys::Config, "Theme", "Dark"));
    EXPECT_FALSE(store.Flush());
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(file), "[Software]\nMoxa2\\Config\\IconSize=24\n");
}

TEST(IniSettingsStore, FailedSaveKeepsTheOldFileAndTheNewValues)
{
    CTempDir dir;
    dir.WriteFile("conf/Moxa2.ini", "[Software]\nMoxa2\\Config\\IconSize=24\n");
    dir.WriteFile("conf/.moxa-save-Ab12Cd", "half a save");
    CIniSettingsStore store(dir / "conf/Moxa2.ini");
    EXPECT_FALSE(fs::exists(dir / "conf/.moxa-save-Ab12Cd"));
    EXPECT_TRUE(store.Write(SettingsKeys::Config, "IconSize", "32"));
    // The folder turns into a file: the save cannot happen.
    fs::rename(dir / "conf", dir / "moved");
    dir.WriteFile("conf", "");
    EXPECT_FALSE(store.Flush());
    EXPECT_EQ(store.Read(SettingsKeys::Config, "IconSize"), "32");
    fs::remove(dir / "conf");
    fs::rename(dir / "moved", dir / "conf");
    EXPECT_EQ(ReadFileBytes(dir / "conf/Moxa2.ini"), "[Software]\nMoxa2\\Config\\IconSize=24\n");
    EXPECT_TRUE(store.Flush());
    EXPECT_EQ(ReadFileBytes(dir / "conf/Moxa2.ini"), "[Software]\nMoxa2\\Config\\IconSize=32\n");
}
} // namespace
