#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Every kind of file the program saves, each with a way to save a given version of it
// into a data folder. Version 0 is the old file, 1 the new one, 2 a large one (larger than
// the file-size limits of the full-disk trials).
struct CSaveKind
{
    std::string name;
    // The files the save writes, relative to the data folder.
    std::vector<std::string> targets;
    // The folders where an interrupted save may leave temporary files.
    std::vector<std::string> folders;
    // Saves that version; true when the program would report success.
    std::function<bool(const std::filesystem::path& dataFolder, int version)> save;
};

const std::vector<CSaveKind>& SaveKinds();
const CSaveKind& SaveKindNamed(const std::string& name);

// Leftover temporary files of the save folders (names starting ".moxa-save-", or the
// settings store's own temporary names), relative to the data folder.
std::vector<std::string> LeftoverFiles(const CSaveKind& kind, const std::filesystem::path& dataFolder);

// What a later start does with the folders before reading anything: true when every
// leftover is gone afterwards or is of a name no reader picks up.
void TidyLikeStartup(const std::filesystem::path& dataFolder);
