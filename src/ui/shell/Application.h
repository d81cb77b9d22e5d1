#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The data folder named on the command line ("--data-dir DIR" or "--data-dir=DIR"); empty
// when none is named, so the current directory is used.
std::optional<std::filesystem::path> DataFolderArgument(const std::vector<std::string>& args);

// Makes the order and reports windows known to the toolbar.
void RegisterOrderWindows();

// The desktop program's start-up and run; returns the process's exit status.
int RunMoxa(int argc, char** argv);
