#include "base/AtomicFile.h"
#include "support/TempDir.h"
#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

#include <QLockFile>
#include <QSysInfo>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

// QSaveFile alone takes the short write at the limit for a success and commits the cut file.
TEST(AtomicFile, FailedWriteLeavesTargetUntouched)
{
    CTempDir dir;
    const fs::path target = dir.WriteFile("order.xml", "the good order");
    const std::string big(100000, 'y');
    EXPECT_EQ(RunWithFileSizeLimit([&] {
                  std::string error;
                  return WriteFileAtomically(target, big, &error) || error != "File too large";
              }),
              0);
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
        EXPECT_TRUE(file.Write(std::string(100000, 'n')));
        // The bytes go to a file without a name: nothing a folder scan could pick up.
        EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"a.xml"});
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

// What a save killed between naming its file and renaming it left (QSaveFile's "NAME.AbcDef"
// beside NAME, in the program's own folders only), earlier versions' temporary files and dead
// processes' lock files go; a lock of a living process and everything else stays.
TEST(AtomicFile, RemoveLeftoversTouchesOnlyWhatSavesLeft)
{
    CTempDir dir;
    for (const char* name : {"a.xml", "a.xml.QwErTy", "a.xml.Qw3rTy", "b.xml.QwErTy", ".moxa-save-abc123", "c.htm",
                             "d.ini", "moxa-save-b"})
        dir.WriteFile(name, "x");
    // A dead process's lock, and the lock it took to remove a stale one.
    for (const char* name : {"c.htm.lock", "c.htm.lock.rmlock"})
        dir.WriteFile(name, "999999\nmoxa\n" + QSysInfo::machineHostName().toStdString() + "\n");
    fs::create_directory(dir / "a.xml.AbCdEf");
    QLockFile living(QString::fromStdString((dir / "d.ini.lock").string()));
    fs::remove(dir / "d.ini.lock");
    ASSERT_TRUE(living.tryLock(0));
    // In a player's folder a name like "a.xml.backup" may be the player's own: it stays.
    CTempDir players;
    for (const char* name : {"a.xml", "a.xml.backup", "a.xml.BACKUP", "a.xml.AuGvau", ".moxa-save-abc123"})
        players.WriteFile(name, "x");
    CAtomicFile::RemoveLeftovers(players.Path(), CAtomicFile::EFolder::Players);
    EXPECT_EQ(Names(players.Path()), (std::vector<std::string>{"a.xml", "a.xml.BACKUP", "a.xml.backup"}));
    for (const char* name : {"Moxa2.ini", "Moxa2.ini.backup", "Moxa2.ini.QwErTy"})
        players.WriteFile(name, "x");
    CAtomicFile::RemoveLeftoversOf(players / "Moxa2.ini");
    EXPECT_EQ(Names(players.Path()), (std::vector<std::string>{"Moxa2.ini", "Moxa2.ini.backup", "a.xml",
                                                               "a.xml.BACKUP", "a.xml.backup"}));

    CAtomicFile::RemoveLeftovers(dir.Path());
    EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"a.xml", "a.xml.AbCdEf", "a.xml.Qw3rTy", "b.xml.QwErTy",
                                                           "c.htm", "d.ini", "d.ini.lock", "moxa-save-b"}));
}

// A device or FIFO is written into and stays what it is; a folder is refused.
TEST(AtomicFile, SpecialFilesAreWrittenIntoNotReplaced)
{
    CTempDir dir;
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(fifo, "through the pipe", &error)) << error;
    char buffer[64];
    const ssize_t got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0))), "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A full device of our own (a node needs root): the reason is the device's.
    const fs::path full = dir / "full";
    if (::mknod(full.c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0)
    {
        EXPECT_FALSE(WriteFileAtomically(full, "x", &error));
        EXPECT_EQ(error, "No space left on device");
        EXPECT_TRUE(fs::is_character_file(full));
    }
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(WriteFileAtomically(dir / "folder", "x", &error));
    EXPECT_EQ(error, "Is a directory");
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
}

// A file nobody may write is refused, even for root, and stays as it was.
TEST(AtomicFile, ReadOnlyFilesAreRefused)
{
    CTempDir dir;
    const fs::path target = dir.WriteFile("order.xml", "read-only order");
    ::chmod(target.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(target, "replaced", &error));
    EXPECT_EQ(error, "Permission denied");
    EXPECT_EQ(ReadFileBytes(target), "read-only order");
    struct stat info{};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"order.xml"});
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
