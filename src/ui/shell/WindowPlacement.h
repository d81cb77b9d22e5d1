#pragma once

#include <optional>
#include <string_view>

class CAppContext;
class QWidget;

// Takes a window's screen rectangle, visibility and topmost state into its record and
// writes it (the toolbar always, another window once created).
void SaveWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool created);

// Reads a record and applies it. The toolbar only moves to X, Y and keeps its size; another
// window is shown or hidden by V and, when W is known, moved, sized and made topmost by T.
// False when no record is stored.
bool RestoreWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool toolbar = false);

// The stored visibility of a window that may not exist yet; empty when nothing is stored.
std::optional<bool> StoredVisibility(CAppContext& app, std::string_view name);

// True where the window system places windows itself and ignores moves (Wayland): docking
// and the restoring of positions are off there.
bool WindowsPlacedBySystem();
