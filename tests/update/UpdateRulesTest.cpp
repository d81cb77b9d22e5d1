#include "support/TempDir.h"
#include "update/DownloadFile.h"
#include "update/ReleaseInfo.h"
#include "update/ServersList.h"
#include "update/UrlParts.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(UrlParts, SplitsAddresses)
{
    struct Case
    {
        const char* address;
        bool https;
        const char* host;
        int port;
        const char* path;
    } cases[] = {
        {"http://updates.example.org/moxa/Config.xml", false, "updates.example.org", 80,
         "/moxa/Config.xml"},
        {"https://updates.example.org/moxa/Config.xml", true, "updates.example.org", 443,
         "/moxa/Config.xml"},
        {"HTTPS://Host/a", true, "Host", 443, "/a"},
        {"updates.example.org//moxa//db///Release.xml", false, "updates.example.org", 80,
         "/moxa/db/Release.xml"},
        {"http://127.0.0.1:8080/db/Config.xml", false, "127.0.0.1", 8080, "/db/Config.xml"},
        {"https://127.0.0.1:8443/x", true, "127.0.0.1", 8443, "/x"},
        {"http://host", false, "host", 80, "/"},
        {"http://host:notaport/x", false, "host", 80, "/x"},
        {"http://host:70000/x", false, "host", 80, "/x"},
        {"http://[::1]:9000/x", false, "[::1]", 9000, "/x"},
        {"http://[::1]/x", false, "[::1]", 80, "/x"},
        {"", false, "", 80, "/"},
        // Only a leading scheme is removed; the path keeps what it holds.
        {"http://host/http://x", false, "host", 80, "/http:/x"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.address);
        const CUrlParts parts = SplitAddress(c.address);
        EXPECT_EQ(parts.https, c.https);
        EXPECT_EQ(parts.host, c.host);
        EXPECT_EQ(parts.port, c.port);
        EXPECT_EQ(parts.path, c.path);
    }
}

TEST(UrlParts, JoinsAndFormats)
{
    EXPECT_EQ(JoinAddress("http://h/db", "Config.xml"), "http://h/db/Config.xml");
    EXPECT_EQ(JoinAddress("http://h/db/", "Config.xml"), "http://h/db//Config.xml");
    EXPECT_EQ(FormatAddress(SplitAddress(JoinAddress("http://h/db/", "Moxa_2024-03-07.zip"))),
              "http://h/db/Moxa_2024-03-07.zip");
    EXPECT_EQ(FormatAddress(SplitAddress("h:8080//a")), "http://h:8080/a");
    EXPECT_EQ(FormatAddress(SplitAddress("https://h:443/a")), "https://h/a");
    EXPECT_EQ(FormatAddress(SplitAddress("https://h:80/a")), "https://h:80/a");
}

TEST(UrlParts, RedirectRules)
{
    struct Case
    {
        const char* from;
        const char* to;
        int count;
        ERedirect expected;
    } cases[] = {
        {"http://a/x", "http://b/y", 1, ERedirect::Follow},
        {"http://a/x", "https://b/y", 1, ERedirect::Follow},
        {"https://a/x", "https://b/y", 5, ERedirect::Follow},
        {"https://a/x", "http://b/y", 1, ERedirect::Downgrade},
        {"HTTPS://a/x", "http://b/y", 1, ERedirect::Downgrade},
        {"http://a/x", "http://a/x", 6, ERedirect::TooMany},
        {"http://a/x", "ftp://a/x", 1, ERedirect::Invalid},
        {"http://a/x", "file:///etc/passwd", 1, ERedirect::Invalid},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        EXPECT_EQ(CheckRedirect(c.from, c.to, c.count), c.expected);
    }
}

TEST(ReleaseInfo, RevisionDates)
{
    struct Case
    {
        const char* text;
        bool valid;
        const char* revision;
    } cases[] = {
        {"2024-3-7", true, "2024-03-07"},
        {"2024-03-07", true, "2024-03-07"},
        {"5-11-30", true, "2005-11-30"},
        {"99-1-1", true, "2099-01-01"},
        {"0-1-1", true, "2000-01-01"},
        {"1999-12-31", true, "3999-12-31"},
        {" 2024 - 2 - 29", false, ""}, // no white space before a '-'
        {" 2024- 2- 29", true, "2024-02-29"},
        {"2023-2-29", false, ""},
        {"2000-2-29", true, "2000-02-29"},
        {"2100-2-29", false, ""},
        {"2024-13-1", false, ""},
        {"2024-0-1", false, ""},
        {"2024-4-31", false, ""},
        {"2024-1-0", false, ""},
        {"-5000-1-1", false, ""},
        {"10000-1-1", false, ""},
        {"99999999999999999999-1-1", false, ""},
        {"2024-1-1junk", true, "2024-01-01"},
        {"2024/1/1", false, ""},
        {"2024-1", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        const auto date = ParseRevisionDate(c.text);
        ASSERT_EQ(date.has_value(), c.valid);
        if (date)
        {
            EXPECT_EQ(RevisionText(*date), c.revision);
            EXPECT_EQ(ArchiveName(*date), std::string("Moxa_") + c.revision + ".zip");
        }
    }
}

TEST(ReleaseInfo, ClientVersions)
{
    struct Case
    {
        const char* minimum;
        bool supported;
    } cases[] = {
        {"2.27", true},   {"2.26", true},  {"2.3", false}, {"2.270", true},  {"2.271", false},
        {"3", false},     {"1.99", true},  {"", true},     {"abc", true},    {" 2.28", false},
        {"+2.28", false}, {"2.27b", true}, {"-3", true},   {"1e400", false}, {"1e-400", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.minimum);
        EXPECT_EQ(ClientSupports(c.minimum, "2.27"), c.supported);
    }
}

TEST(ReleaseInfo, ReadsReleasesAndPicksTheLatest)
{
    CXmlDocument doc;
    doc.LoadFromText("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                     "<release>\n"
                     "\t<release-databaserevision>2024-1-5</release-databaserevision>\n"
                     "\t<release-title>January</release-title>\n"
                     "\t<release-minclientversion>2.20</release-minclientversion>\n"
                     "\t<release-notes>\n"
                     "\t\t<note value=\"Ann\">Fixed \xe9p\xe9\x65s</note>\n"
                     "\t\t<note value=\"Bob\">New crafts</note>\n"
                     "\t</release-notes>\n"
                     "</release>\n"
                     "<release>\n"
                     "\t<release-databaserevision>24-3-7</release-databaserevision>\n"
                     "\t<release-title>March</release-title>\n"
                     "\t<release-minclientversion>2.27</release-minclientversion>\n"
                     "</release>\n"
                     "<release>\n"
                     "\t<release-databaserevision>2024-3-7</release-databaserevision>\n"
                     "\t<release-title>March again</release-title>\n"
                     "</release>\n"
                     "<release>\n"
                     "\t<release-databaserevision>2024-99-99</release-databaserevision>\n"
                     "\t<release-title>Broken</release-title>\n"
                     "</release>\n");
    CReleaseInfo info;
    ASSERT_TRUE(info.Read(doc));
    ASSERT_EQ(info.releases.size(), 4u);
    ASSERT_EQ(info.releases[0].notes.size(), 2u);
    EXPECT_EQ(info.releases[0].notes[0].author, "Ann");
    EXPECT_EQ(info.releases[0].notes[0].change, "Fixed \xe9p\xe9\x65s");
    EXPECT_EQ(info.releases[0].notes[1].author, "Bob");
    EXPECT_TRUE(info.releases[1].notes.empty());
    EXPECT_FALSE(info.releases[3].validDate);
    const CRelease* latest = info.Latest();
    ASSERT_NE(latest, nullptr);
    EXPECT_EQ(latest->title, "March");
    EXPECT_EQ(latest->revision, "24-3-7");
    EXPECT_EQ(latest->minClientVersion, "2.27");
}

TEST(ReleaseInfo, WithoutAUsableReleaseFails)
{
    for (const char* text :
         {"", "<html><body>Not Found</body></html>\n",
          "<release>\n<release-databaserevision>soon</release-databaserevision>\n</release>\n"})
    {
        SCOPED_TRACE(text);
        CXmlDocument doc;
        doc.LoadFromText(text);
        CReleaseInfo info;
        EXPECT_FALSE(info.Read(doc));
        EXPECT_EQ(info.Latest(), nullptr);
    }
    CReleaseInfo missing;
    EXPECT_FALSE(missing.Load("/nonexistent/Release.xml"));
}

TEST(ReleaseInfo, Assessment)
{
    CRelease release;
    release.date = *ParseRevisionDate("2024-3-7");
    release.validDate = true;
    release.minClientVersion = "2.27";

    CReleaseAssessment fresh = AssessRelease(release, "Initial", "2.27");
    EXPECT_EQ(fresh.verdict, EReleaseVerdict::NewDatabase);
    EXPECT_EQ(fresh.archiveName, "Moxa_2024-03-07.zip");
    EXPECT_EQ(fresh.message, "This is a new database ready for downloading");
    EXPECT_EQ(fresh.buttonLabel, "Start Download");
    EXPECT_TRUE(fresh.downloadEnabled);

    CReleaseAssessment same = AssessRelease(release, "2024-03-07", "2.27");
    EXPECT_EQ(same.verdict, EReleaseVerdict::AlreadyInstalled);
    EXPECT_EQ(same.message, "You have this database already");
    EXPECT_EQ(same.buttonLabel, "Re-download");
    EXPECT_TRUE(same.downloadEnabled);

    // The installed revision is compared as its archive name, not as a date.
    EXPECT_EQ(AssessRelease(release, "2024-3-7", "2.27").verdict, EReleaseVerdict::NewDatabase);

    release.minClientVersion = "2.28";
    CReleaseAssessment old = AssessRelease(release, "2024-03-07", "2.27");
    EXPECT_EQ(old.verdict, EReleaseVerdict::ClientTooOld);
    EXPECT_EQ(old.message, "Your client '2.27' cannot support this update!");
    EXPECT_FALSE(old.downloadEnabled);
}

TEST(ServersList, ReadsEveryServersFileInNameOrder)
{
    CTempDir dir;
    dir.WriteFile("Config.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                "<config>\n"
                                "\t<servers>\n"
                                "\t\t<server value=\"Main\">http://main.example/db</server>\n"
                                "\t\t<server value=\"Mirror\">http://mirror.example/db</server>\n"
                                "\t\t<server value=\"\">http://nameless.example</server>\n"
                                "\t</servers>\n"
                                "</config>\n");
    dir.WriteFile("ConfigLocal.xml",
                  "<config>\n<servers>\n<server value=\"Main\">http://127.0.0.1:8080/db</server>\n"
                  "<server value=\"Beta\">https://beta.example</server>\n</servers>\n</config>\n");
    dir.WriteFile("Config-a.xml",
                  "<config>\n<servers>\n<server value=\"Main\">http://early.example</server>\n"
                  "</servers>\n</config>\n");
    // Not servers lists: other case, other extension, a folder, a backup.
    dir.WriteFile(
        "config.xml",
        "<config>\n<servers>\n<server value=\"Lower\">x</server>\n</servers>\n</config>\n");
    dir.WriteFile(
        "Config.bak",
        "<config>\n<servers>\n<server value=\"Backup\">x</server>\n</servers>\n</config>\n");
    dir.WriteFile("ConfigSub.xml/inner.xml", "x");
    dir.WriteFile(
        "Temp/Config.xml",
        "<config>\n<servers>\n<server value=\"Temp\">x</server>\n</servers>\n</config>\n");

    CServersList list;
    EXPECT_EQ(list.Refresh(dir.Path()), 3);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"Beta", "Main", "Mirror"}));
    ASSERT_NE(list.FindAddress("Main"), nullptr);
    // "Config-a.xml" < "Config.xml" < "ConfigLocal.xml": the last one read wins.
    EXPECT_EQ(*list.FindAddress("Main"), "http://127.0.0.1:8080/db");
    EXPECT_EQ(*list.FindAddress("Mirror"), "http://mirror.example/db");
    EXPECT_EQ(list.FindAddress("main"), nullptr);

    // A refresh starts from an empty map.
    fs::remove(dir / "ConfigLocal.xml");
    list.Refresh(dir.Path());
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"Main", "Mirror"}));
    EXPECT_EQ(*list.FindAddress("Main"), "http://main.example/db");

    CServersList none;
    EXPECT_EQ(none.Refresh(dir / "missing"), 0);
    EXPECT_TRUE(none.Empty());
    EXPECT_FALSE(none.ReadFile(dir / "ConfigSub.xml/inner.xml"));
}

TEST(DownloadFile, AppearsOnlyWhenComplete)
{
    CTempDir dir;
    const fs::path target = dir / "Temp/Config.xml";
    const auto leftovers = [&dir]()
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
        return names;
    };

    {
        CDownloadFile file;
        ASSERT_TRUE(file.Open(target, 100));
        ASSERT_TRUE(file.SetExpected(6));
        ASSERT_TRUE(file.Append("abc"));
        EXPECT_FALSE(fs::exists(target));
        ASSERT_TRUE(file.Append("def"));
        ASSERT_TRUE(file.Commit());
        EXPECT_EQ(ReadFileBytes(target), "abcdef");
        fs::remove(target);
    }
    struct Case
    {
        const char* name;
        std::int64_t limit;
        std::int64_t expected;
        std::vector<std::string> chunks;
        bool setExpectedOk;
        CDownloadFile::EError error;
    } cases[] = {
        {"short body", 0, 10, {"abc"}, true, CDownloadFile::EError::Length},
        {"long body", 0, 2, {"abc"}, true, CDownloadFile::EError::Length},
        {"past the limit", 4, 0, {"abc", "de"}, true, CDownloadFile::EError::TooLarge},
        {"announced past the limit", 4, 5, {}, false, CDownloadFile::EError::TooLarge},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CDownloadFile file;
        ASSERT_TRUE(file.Open(target, c.limit));
        EXPECT_EQ(file.SetExpected(c.expected), c.setExpectedOk);
        for (const std::string& chunk : c.chunks)
            file.Append(chunk);
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(file.Error(), c.error);
        EXPECT_EQ(leftovers(), std::vector<std::string>());
    }
    {
        // Without an announced length whatever arrived is the file; dropped, nothing stays.
        CDownloadFile file;
        ASSERT_TRUE(file.Open(target, 0));
        file.Append("xyz");
        file.Discard();
        EXPECT_FALSE(file.Commit());
        EXPECT_EQ(leftovers(), std::vector<std::string>());
    }
    CDownloadFile unwritable;
    dir.WriteFile("blocker", "x");
    EXPECT_FALSE(unwritable.Open(dir / "blocker/file.xml", 0));
    EXPECT_EQ(unwritable.Error(), CDownloadFile::EError::File);
}
