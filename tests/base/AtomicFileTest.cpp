#include "base/AtomicFile.h"
#include "support/TempDir.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs a save in a child process whose files may not grow past a few bytes, the way a full
// disk stops a write. The child's exit status is 0 when the save reported failure.
int RunWithFileSizeLimit(const std::function<bool()>& save)
{
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(save() ? 1 : 0);
    }
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(AtomicFile, WritesAndReplaces)
{
    CTempDir dir;
    const fs::path target = dir / "cache.dat";
    ASSERT_TRUE(WriteFileAtomically(target, "first"));
    EXPECT_EQ(ReadFileBytes(target), "first");
    const std::string bytes = std::string(200000, 'x') + "\xE9\0end";
    ASSERT_TRUE(WriteFileAtomically(target, bytes));
    EXPECT_EQ(ReadFileBytes(target), bytes);
    ASSERT_TRUE(WriteFileAtomically(target, ""));
    EXPECT_EQ(ReadFileBytes(target), "");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"cache.dat"});
}

TEST(AtomicFile, SavedFilesGetTheUsualPermissions)
{
    CTempDir dir;
    const mode_t old = ::umask(022);
    const bool ok = WriteFileAtomically(dir / "a.xml", "x");
    ::umask(old);
    ASSERT_TRUE(ok);
    struct stat info{};
    ASSERT_EQ(::stat((dir / "a.xml").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(AtomicFile, MissingFolderFailsAndCreatesNothing)
{
    CTempDir dir;
    EXPECT_FALSE(WriteFileAtomically(dir / "missing" / "a.xml", "x"));
    EXPECT_TRUE(Names(dir.Path()).empty());
}

TEST(AtomicFile, FailedWriteLeavesTargetUntouched)
{
    CTempDir dir;
    const fs::path target = dir.WriteFile("order.xml", "the good order");
    const std::string big(100000, 'y');
    EXPECT_EQ(RunWithFileSizeLimit([&] { return WriteFileAtomically(target, big); }), 0);
    EXPECT_EQ(ReadFileBytes(target), "the good order");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"order.xml"});

    // A small write that only fails when flushed at the end.
    EXPECT_EQ(RunWithFileSizeLimit([&] { return WriteFileAtomically(target, std::string(40, 'z')); }), 0);
    EXPECT_EQ(ReadFileBytes(target), "the good order");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"order.xml"});
}

TEST(AtomicFile, FailedDocumentSaveIsReportedByClose)
{
    CTempDir dir;
    const fs::path target = dir.WriteFile("profile.xml", "old profile");
    const int status = RunWithFileSizeLimit([&] {
        CXmlDocument doc;
        if (!doc.OpenForWrite(target))
            return true; // counts as "not reported"
        doc.BeginElement("profile");
        for (int i = 0; i < 2000; ++i)
            doc.WriteElement("profile-value", i);
        doc.EndElement("profile");
        return doc.Close();
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(target), "old profile");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"profile.xml"});
}

TEST(AtomicFile, DiscardAndDestructionKeepTheTarget)
{
    CTempDir dir;
    const fs::path target = dir.WriteFile("a.xml", "kept");
    {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(target));
        EXPECT_TRUE(file.IsOpen());
        EXPECT_TRUE(file.Write("new"));
        // The temporary name carries none of the extensions folder scans look for.
        for (const std::string& name : Names(dir.Path()))
        {
            if (name == "a.xml")
                continue;
            EXPECT_EQ(name.rfind(CAtomicFile::TempPrefix, 0), 0u) << name;
            for (const char* ext : {".xml", ".png", ".tif", ".zip", ".dat"})
                EXPECT_EQ(name.find(ext), std::string::npos) << name;
        }
        EXPECT_EQ(Names(dir.Path()).size(), 2u);
    }
    EXPECT_EQ(ReadFileBytes(target), "kept");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.xml"});

    CAtomicFile file;
    ASSERT_TRUE(file.Open(target));
    file.Write("new");
    file.Discard();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(ReadFileBytes(target), "kept");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.xml"});
}

TEST(AtomicFile, RemoveLeftoversTouchesOnlyTemporaryFiles)
{
    CTempDir dir;
    dir.WriteFile(std::string(CAtomicFile::TempPrefix) + "abc123", "junk");
    dir.WriteFile("a.xml", "a");
    dir.WriteFile("moxa-save-b", "b");
    fs::create_directory(dir / (std::string(CAtomicFile::TempPrefix) + "folder"));
    CAtomicFile::RemoveLeftovers(dir.Path());
    EXPECT_EQ(Names(dir.Path()),
              (std::vector<std::string>{std::string(CAtomicFile::TempPrefix) + "folder", "a.xml", "moxa-save-b"}));
}

// What a killed save left in a folder goes at the next save there; a save still running
// (its temporary file is locked by its writer) is left alone.
TEST(AtomicFile, NextSaveInAFolderRemovesOnlyDeadLeftovers)
{
    CTempDir dir;
    dir.WriteFile(std::string(CAtomicFile::TempPrefix) + "killed", "junk");
    CAtomicFile running;
    ASSERT_TRUE(running.Open(dir / "b.xml"));
    ASSERT_TRUE(WriteFileAtomically(dir / "a.xml", "a"));
    ASSERT_EQ(Names(dir.Path()).size(), 2u);
    EXPECT_EQ(Names(dir.Path())[1], "a.xml");
    EXPECT_TRUE(running.Write("b") && running.Commit());
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"a.xml", "b.xml"}));
}

// A save through a symbolic link writes the link's target and keeps the link; a replaced
// file keeps its permissions.
TEST(AtomicFile, SavesWriteThroughLinksAndKeepPermissions)
{
    CTempDir dir;
    const fs::path real = dir.WriteFile("real/Moxa2.ini", "old");
    ::chmod(real.c_str(), 0600);
    fs::create_directories(dir / "conf");
    fs::create_symlink("../real/Moxa2.ini", dir / "conf/Moxa2.ini");
    ASSERT_TRUE(WriteFileAtomically(dir / "conf/Moxa2.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "conf/Moxa2.ini"));
    EXPECT_EQ(ReadFileBytes(real), "new");
    struct stat info{};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(Names(dir / "conf"), std::vector<std::string>{"Moxa2.ini"});
    EXPECT_EQ(Names(dir / "real"), std::vector<std::string>{"Moxa2.ini"});
}
} // namespace
