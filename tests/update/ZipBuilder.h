#pragma once

#include <string>
#include <utility>
#include <vector>

// A zip archive built in memory with libarchive's writer: (entry name, content) pairs; a
// name ending in '/' is a folder.
std::string BuildZip(const std::vector<std::pair<std::string, std::string>>& entries);

// A zip holding one symbolic link (a hostile archive).
std::string BuildZipWithSymlink(const std::string& name, const std::string& target);
