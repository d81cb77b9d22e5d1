#include "app/ArchiveLibrary.h"

#include <cstdio>
#include <dlfcn.h>

namespace
{
template <typename F> bool Find(void* library, const char* name, F& to)
{
    to = reinterpret_cast<F>(dlsym(library, name));
    return to != nullptr;
}

const CArchiveLibrary* Open()
{
    void* library = dlopen(MOXA_LIBARCHIVE_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        std::fprintf(stderr, "moxa: %s cannot be loaded: %s\n", MOXA_LIBARCHIVE_SONAME, dlerror());
        return nullptr;
    }
    // Kept open for the rest of the run: archives may be read again.
    static CArchiveLibrary calls;
    const bool found =
        Find(library, "archive_read_new", calls.read_new) &&
        Find(library, "archive_read_support_format_zip", calls.read_support_format_zip) &&
        Find(library, "archive_read_open_filename", calls.read_open_filename) &&
        Find(library, "archive_read_next_header", calls.read_next_header) &&
        Find(library, "archive_read_data_block", calls.read_data_block) &&
        Find(library, "archive_read_free", calls.read_free) &&
        Find(library, "archive_entry_pathname", calls.entry_pathname) &&
        Find(library, "archive_entry_hardlink", calls.entry_hardlink) &&
        Find(library, "archive_entry_symlink", calls.entry_symlink) &&
        Find(library, "archive_entry_filetype", calls.entry_filetype) &&
        Find(library, "archive_entry_size_is_set", calls.entry_size_is_set) &&
        Find(library, "archive_entry_size", calls.entry_size);
    if (!found)
    {
        std::fprintf(stderr, "moxa: %s lacks a call the installer needs\n", MOXA_LIBARCHIVE_SONAME);
        return nullptr;
    }
    return &calls;
}
} // namespace

const CArchiveLibrary* CArchiveLibrary::Get()
{
    static const CArchiveLibrary* const library = Open();
    return library;
}
