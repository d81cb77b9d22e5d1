// Reading a whole file once: mapped under a read lease, or copied.
#include "database/FileSnapshot.h"

#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Whether this file system gives read leases (some, overlays among them, do not: there the
// snapshot always copies, and the mapping tests have nothing to check).
bool LeasesHere(const fs::path& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool leased = ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
    if (leased)
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
    ::close(fd);
    return leased;
}

std::string Bytes(std::size_t size)
{
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; text.size() < size; ++i)
        text += "line " + std::to_string(i) + "|" + std::to_string(i * 7 % 13) + "\n";
    text.resize(size);
    return text;
}
} // namespace

TEST(FileSnapshot, SmallFilesAreCopiedLargeOnesMapped)
{
    CTempDir dir;
    const std::string small = Bytes(4000);
    const std::string large = Bytes(3 * 4096 + 17);
    const fs::path smallFile = dir.WriteFile("small.dat", small);
    const fs::path largeFile = dir.WriteFile("large.dat", large);

    const CFileSnapshot copied(smallFile, 4096);
    ASSERT_TRUE(copied.Ok());
    EXPECT_FALSE(copied.Mapped());
    EXPECT_TRUE(copied.Text() == small);

    if (!LeasesHere(largeFile))
        GTEST_SKIP() << "no read leases on this file system";
    const CFileSnapshot mapped(largeFile, 4096);
    ASSERT_TRUE(mapped.Ok());
    EXPECT_TRUE(mapped.Mapped());
    EXPECT_TRUE(mapped.Text() == large);

    // The default threshold: a megabyte.
    EXPECT_FALSE(CFileSnapshot(largeFile).Mapped());
    const fs::path megabyte = dir.WriteFile("mb.dat", Bytes(std::size_t(1) << 20));
    EXPECT_TRUE(CFileSnapshot(megabyte).Mapped());
}

TEST(FileSnapshot, EmptyMissingAndOddFiles)
{
    CTempDir dir;
    const CFileSnapshot empty(dir.WriteFile("empty.dat", ""), 0);
    EXPECT_TRUE(empty.Ok());
    EXPECT_FALSE(empty.Mapped());
    EXPECT_TRUE(empty.Text().empty());

    EXPECT_FALSE(CFileSnapshot(dir / "missing.dat", 0).Ok());
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(CFileSnapshot(dir / "folder", 0).Ok());
}

TEST(FileSnapshot, AFileOpenForWritingIsCopied)
{
    CTempDir dir;
    const std::string text = Bytes(20000);
    const fs::path file = dir.WriteFile("busy.dat", text);
    const int writer = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    {
        const CFileSnapshot snapshot(file, 0);
        ASSERT_TRUE(snapshot.Ok());
        EXPECT_FALSE(snapshot.Mapped());
        EXPECT_TRUE(snapshot.Text() == text);
    }
    ::close(writer);
}

// The mapped pages would vanish under the reader if the file were cut meanwhile: anyone
// opening it to write waits for the snapshot to go.
TEST(FileSnapshot, WritersWaitWhileTheFileIsMapped)
{
    CTempDir dir;
    const std::string text = Bytes(20000);
    const fs::path file = dir.WriteFile("held.dat", text);
    if (!LeasesHere(file))
        GTEST_SKIP() << "no read leases on this file system";
    {
        const CFileSnapshot snapshot(file, 0);
        ASSERT_TRUE(snapshot.Mapped());
        // Without waiting, an open that would break the lease fails instead of blocking.
        const int refused = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
        const int error = errno;
        EXPECT_EQ(refused, -1);
        EXPECT_EQ(error, EWOULDBLOCK);
        if (refused >= 0)
            ::close(refused);
        EXPECT_TRUE(snapshot.Text() == text);
        EXPECT_EQ(fs::file_size(file), text.size());
        // Readers are not held up.
        const CFileSnapshot second(file, 0);
        EXPECT_TRUE(second.Text() == text);
    }
    const int writer = ::open(file.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(writer, 0) << "the lease outlived the snapshot";
    if (writer >= 0)
        ::close(writer);
    EXPECT_EQ(fs::file_size(file), 0u);
}
