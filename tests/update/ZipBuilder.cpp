#include "ZipBuilder.h"

#include <archive.h>
#include <archive_entry.h>
#include <cstdlib>
#include <stdexcept>

namespace
{
struct CZipWriter
{
    CZipWriter() : a(archive_write_new()), buffer(1 << 22)
    {
        archive_write_set_format_zip(a);
        if (archive_write_open_memory(a, buffer.data(), buffer.size(), &used) != ARCHIVE_OK)
            throw std::runtime_error("archive_write_open_memory");
    }
    ~CZipWriter() { archive_write_free(a); }

    void Add(const std::string& name, const std::string& content, mode_t type,
             const std::string& link = {})
    {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, name.c_str());
        archive_entry_set_filetype(entry, type);
        archive_entry_set_perm(entry, type == AE_IFDIR ? 0755 : 0644);
        if (type == AE_IFLNK)
            archive_entry_set_symlink(entry, link.c_str());
        archive_entry_set_size(entry,
                               type == AE_IFREG ? static_cast<la_int64_t>(content.size()) : 0);
        archive_write_header(a, entry);
        if (type == AE_IFREG && !content.empty())
            archive_write_data(a, content.data(), content.size());
        archive_entry_free(entry);
    }

    std::string Finish()
    {
        archive_write_close(a);
        return std::string(buffer.data(), used);
    }

    archive* a;
    std::vector<char> buffer;
    size_t used = 0;
};
} // namespace

std::string BuildZip(const std::vector<std::pair<std::string, std::string>>& entries)
{
    CZipWriter writer;
    for (const auto& [name, content] : entries)
        writer.Add(name, content, !name.empty() && name.back() == '/' ? AE_IFDIR : AE_IFREG);
    return writer.Finish();
}

std::string BuildZipWithSymlink(const std::string& name, const std::string& target)
{
    CZipWriter writer;
    writer.Add("Categories.xml", "<categories>\n</categories>\n", AE_IFREG);
    writer.Add(name, {}, AE_IFLNK, target);
    return writer.Finish();
}
