#include "support/TestZip.h"

#include <archive.h>
#include <archive_entry.h>

#include <system_error>

bool WriteTestZip(const std::filesystem::path& path, const std::vector<CZipEntry>& entries)
{
    archive* a = archive_write_new();
    bool ok = archive_write_set_format_zip(a) == ARCHIVE_OK &&
              archive_write_open_filename(a, path.c_str()) == ARCHIVE_OK;
    for (const CZipEntry& e : entries)
    {
        if (!ok)
            break;
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.c_str());
        switch (e.kind)
        {
        case CZipEntry::EKind::File:
            archive_entry_set_filetype(entry, AE_IFREG);
            archive_entry_set_perm(entry, 0644);
            archive_entry_set_size(entry, static_cast<la_int64_t>(e.bytes.size()));
            break;
        case CZipEntry::EKind::Folder:
            archive_entry_set_filetype(entry, AE_IFDIR);
            archive_entry_set_perm(entry, 0755);
            break;
        case CZipEntry::EKind::Symlink:
            archive_entry_set_filetype(entry, AE_IFLNK);
            archive_entry_set_perm(entry, 0777);
            archive_entry_set_symlink(entry, e.bytes.c_str());
            break;
        }
        ok = archive_write_header(a, entry) == ARCHIVE_OK;
        if (ok && e.kind == CZipEntry::EKind::File && !e.bytes.empty())
            ok = archive_write_data(a, e.bytes.data(), e.bytes.size()) ==
                 static_cast<la_ssize_t>(e.bytes.size());
        archive_entry_free(entry);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    return ok;
}

std::vector<std::string> ZipEntryPaths(const std::filesystem::path& path)
{
    std::vector<std::string> paths;
    archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, path.c_str(), 1 << 16) == ARCHIVE_OK)
    {
        archive_entry* entry = nullptr;
        for (int status = archive_read_next_header(a, &entry);
             status == ARCHIVE_OK || status == ARCHIVE_WARN;
             status = archive_read_next_header(a, &entry))
        {
            const char* name = archive_entry_pathname(entry);
            paths.push_back(name ? name : "");
            archive_read_data_skip(a);
        }
    }
    archive_read_free(a);
    return paths;
}

bool WriteGlassArchive(const std::filesystem::path& dataFolder, const std::string& name)
{
    const std::string set =
        "<formulaset>\n<formulaset-name>Glass</formulaset-name>\n"
        "<formulaset-categories>\n<formulaset-category>Glazier</formulaset-category>\n"
        "</formulaset-categories>\n<item>\n<item-name>Vial</item-name>\n</item>\n"
        "</formulaset>\n";
    std::error_code error;
    std::filesystem::create_directories(dataFolder / "Temp", error);
    return !error && WriteTestZip(dataFolder / "Temp" / name, {{"Crafts/glass.xml", set}});
}
