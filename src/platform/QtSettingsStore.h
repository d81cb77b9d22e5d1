#pragma once

#include "base/SettingsStore.h"

#include <filesystem>
#include <memory>

// The settings store of a running program: an INI file named by the environment variable
// MOXA_SETTINGS when it is set, else Moxa/Moxa2.ini in the per-user configuration folder.
std::unique_ptr<ISettingsStore> CreateUserSettingsStore();
// The file that store keeps the settings in.
std::filesystem::path UserSettingsFile();
