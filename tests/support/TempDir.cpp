#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

CTempDir::CTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "moxa-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
    {
        std::perror("mkdtemp");
        std::abort();
    }
    m_path = pattern;
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path CTempDir::WriteFile(std::string_view relative, std::string_view bytes) const
{
    const fs::path path = m_path / relative;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void CopyTree(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}
