#pragma once

#include <filesystem>
#include <string_view>

// False for an entry path that could land outside the folder it is unpacked into: empty,
// absolute, with "..", a backslash or a drive letter.
bool IsSafeEntryPath(std::string_view path);

// Checks the entry names exactly as the archive file stores them, in its central directory
// and in each entry's local header. The zip reader turns backslashes into slashes before
// anyone sees a name, so this is the only place a backslash shows. False when any name is
// unsafe or the directory cannot be read.
bool StoredZipNamesAreSafe(const std::filesystem::path& archive);
