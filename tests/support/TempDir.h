#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder below the system's temporary folder, removed with everything in it.
class CTempDir
{
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(std::string_view relative) const { return m_path / relative; }

    // Writes a file below the folder, creating its folders.
    std::filesystem::path WriteFile(std::string_view relative, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& path);

// Copies a folder tree (the sample data folder into a temporary folder, say).
void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to);

// The fixed test files and the sample data folder of the repository.
inline std::filesystem::path TestDataPath(std::string_view relative = {})
{
    return std::filesystem::path(MOXA_TEST_DATA_DIR) / relative;
}
inline std::filesystem::path SampleDataPath(std::string_view relative = {})
{
    return std::filesystem::path(MOXA_SAMPLE_DATA_DIR) / relative;
}
