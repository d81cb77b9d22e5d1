#pragma once

#include "base/Prompter.h"
#include "base/SettingsStore.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Answers questions with --yes (default no) and writes warnings to standard error.
class CCliPrompter : public IPrompter
{
public:
    explicit CCliPrompter(bool yes) : m_yes(yes) {}
    bool AskYesNo(const std::string& text) override;
    void Warn(const std::string& text) override;
    void Inform(const std::string& text) override;

private:
    bool m_yes;
};

// What every command gets: the data folder, the settings store and a prompter.
struct CCliContext
{
    std::filesystem::path dataFolder;
    std::optional<std::filesystem::path> namedDataFolder; // --data-dir
    bool yes = false;
    std::unique_ptr<ISettingsStore> store;
    std::unique_ptr<CCliPrompter> prompter;
};

using CommandArgs = std::vector<std::string>;
