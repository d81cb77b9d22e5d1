#pragma once

#include <filesystem>
#include <string>
#include <vector>

// One entry of a zip archive built by a test, hostile ones included.
struct CZipEntry
{
    enum class EKind
    {
        File,
        Folder,
        Symlink
    };
    std::string path;
    std::string bytes; // a file's content, a link's target
    EKind kind = EKind::File;
};

// Writes a zip archive with libarchive's writer, entry paths exactly as given; false when
// it could not be written.
bool WriteTestZip(const std::filesystem::path& path, const std::vector<CZipEntry>& entries);

// The entry paths of an archive as the zip reader sees them (to prove a test archive holds
// what the test meant to put there).
std::vector<std::string> ZipEntryPaths(const std::filesystem::path& path);

// An update archive named `name` in the data folder's "Temp" whose "Config" holds one formula
// set of its own ("Glass", category "Glazier", one item "Vial"); false when it could not be
// written.
bool WriteGlassArchive(const std::filesystem::path& dataFolder, const std::string& name);
