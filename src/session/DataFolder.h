#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Which folder a start uses as its data folder. A folder counts as one when it holds Config/
// or a waiting update archive (Temp/Moxa_*.zip); any other folder is never written to.
struct CDataFolderRequest
{
    std::optional<std::filesystem::path> named; // --data-dir
    std::filesystem::path current;               // the current directory
    std::filesystem::path perUser;               // $XDG_DATA_HOME/moxa
    std::vector<std::filesystem::path> seeds;    // installed sample data folders, in order
};

enum class EDataFolderSource
{
    Named,
    Current,
    PerUser,
    PerUserSeeded, // the per-user folder, filled from the sample data by this start
    None           // error says why
};

struct CDataFolderChoice
{
    EDataFolderSource source = EDataFolderSource::None;
    std::filesystem::path folder;
    std::filesystem::path seed; // the sample data copied, for PerUserSeeded
    std::string error;
};

bool IsDataFolder(const std::filesystem::path& folder);

// The named folder when it is a data folder; else the current directory when it is one; else
// the per-user folder, filled from the first sample data folder that holds Config/ when it is
// not a data folder yet.
CDataFolderChoice ChooseDataFolder(const CDataFolderRequest& request);

// The per-user folder under the XDG rules: $XDG_DATA_HOME/moxa when that is an absolute
// path, else $HOME/.local/share/moxa; empty when neither is known.
std::filesystem::path PerUserDataFolder(const char* xdgDataHome, const char* home);

// The installed sample data: share/moxa/data beside the running program's bin folder, then
// the folder of the installation the program was built for.
std::vector<std::filesystem::path> InstalledSampleData();

// The request of a start from the environment: current directory, per-user folder, sample data.
CDataFolderRequest DataFolderRequestFromEnvironment(std::optional<std::filesystem::path> named);
