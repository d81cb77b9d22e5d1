#pragma once

#include "app/SettingsStore.h"

#include <memory>

// The settings store of a running program: QSettings in INI format, in the file named by
// the environment variable MOXA_SETTINGS when it is set, else in the per-user
// configuration location.
std::unique_ptr<ISettingsStore> CreateUserSettingsStore();
