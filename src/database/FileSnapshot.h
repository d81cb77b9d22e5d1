#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

// The bytes of a whole file, for one reading. A large file is mapped instead of copied when
// it can be held against writers meanwhile: a read lease makes anyone who opens it to write
// or truncate it wait until the snapshot is gone (at most the system's lease break time), so
// no mapped page can vanish under the reader. Otherwise (the file is open for writing, the
// file system has no leases, the process may not take one, a small file) it is read into
// memory. Copying a big cache costs its load about a sixth of its time: every page of the
// copy is a fresh one.
class CFileSnapshot
{
public:
    static constexpr std::size_t DefaultMapFrom = std::size_t(1) << 20;

    explicit CFileSnapshot(const std::filesystem::path& path, std::size_t mapFrom = DefaultMapFrom);
    ~CFileSnapshot();
    CFileSnapshot(const CFileSnapshot&) = delete;
    CFileSnapshot& operator=(const CFileSnapshot&) = delete;

    // False when the file could not be opened or read.
    bool Ok() const { return m_ok; }
    std::string_view Text() const { return std::string_view(m_data, m_size); }
    bool Mapped() const { return m_mapped; }

private:
    bool Map();
    void Read();

    int m_fd = -1;
    std::unique_ptr<char[]> m_copy;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_ok = false;
    bool m_mapped = false;
    bool m_leased = false;
};
