#pragma once

#include "order/Prices.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CProfileList;
struct CProfile;

// The data folder's "Prices.csv": the player's price list.
std::filesystem::path PlayerPriceListPath(const std::filesystem::path& dataFolder);

// Reads a price list; each warning comes as "SHOWN:LINE: text". False with error set when the
// file cannot be read.
bool ReadPriceListFile(const std::filesystem::path& path, const std::string& shown,
                       CPriceList& list, std::vector<std::string>& warnings, std::string& error);

// The profile "SERVER:NAME" (a label without ":" has an empty server), or null.
const CProfile* FindProfileLabel(const CProfileList& profiles, std::string_view label);

// Who may craft the steps: "all" is every profile but the template in load order, or "no
// profile" (null) when there is none; otherwise labels "SERVER:NAME" joined with ",". False
// with unknown set to the first label that names no profile.
bool CharactersOf(const CProfileList& profiles, std::string_view list,
                  std::vector<const CProfile*>& characters, std::string& unknown);

// Said when several characters are given and no prices are in effect.
inline constexpr std::string_view CharactersWithoutPrices =
    "without prices the characters cannot be told apart; the first crafts every step";

// The price list the windows use: the player's file when there is one. Prices are in effect
// once a list was read or saved, even one that prices nothing.
class CPlayerPrices
{
public:
    // Reads the data folder's list; with no file, none is in effect. False (error set, the
    // file never saved over) when it exists but cannot be read.
    bool Load(const std::filesystem::path& dataFolder, std::vector<std::string>& warnings,
              std::string& error);
    // Saves the list atomically; from then on it is in effect, saved or not. False when it
    // cannot be written, or when the file there could not be read (that file is kept).
    bool Save();

    // Another list's prices over this one's (names it lacks keep theirs), then saved.
    bool Import(const CPriceList& other);

    const CPriceList* InEffect() const { return m_inEffect ? &m_list : nullptr; }
    CPriceList& List() { return m_list; }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    CPriceList m_list;
    bool m_inEffect = false;
    bool m_unreadable = false;
};
