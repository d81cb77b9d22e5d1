#pragma once

#include <archive.h>
#include <archive_entry.h>

// The libarchive calls the update installer makes. The library is opened at the first
// archive read, not linked: every start would otherwise pay for loading it (about a
// millisecond) although an update is installed once in a while.
struct CArchiveLibrary
{
    decltype(&archive_read_new) read_new = nullptr;
    decltype(&archive_read_support_format_zip) read_support_format_zip = nullptr;
    decltype(&archive_read_open_filename) read_open_filename = nullptr;
    decltype(&archive_read_next_header) read_next_header = nullptr;
    decltype(&archive_read_data_block) read_data_block = nullptr;
    decltype(&archive_read_free) read_free = nullptr;
    decltype(&archive_entry_pathname) entry_pathname = nullptr;
    decltype(&archive_entry_hardlink) entry_hardlink = nullptr;
    decltype(&archive_entry_symlink) entry_symlink = nullptr;
    decltype(&archive_entry_filetype) entry_filetype = nullptr;
    decltype(&archive_entry_size_is_set) entry_size_is_set = nullptr;
    decltype(&archive_entry_size) entry_size = nullptr;

    // The library with every call found, opened once; null when it cannot be (the reason
    // went to stderr the first time).
    static const CArchiveLibrary* Get();
};
