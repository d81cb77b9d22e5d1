#pragma once

#include <QRect>

#include <optional>
#include <string_view>

class CAppContext;
class QWidget;

// A window's frame on the screen: its client rectangle with the window manager's frame
// around it. A window not yet on the screen is measured with the frame last seen on another.
// Records, docking and snapping all speak of frames; Qt places clients, so every placement
// goes through these two.
QRect FrameRect(const QWidget* window);
void SetFrameRect(QWidget* window, const QRect& frame);
void MoveFrame(QWidget* window, const QPoint& topLeft);
// Called when a window appears framed: a placement made before its frame was known is made
// again with it (true then).
bool SettleFrame(QWidget* window);

// Takes a window's screen rectangle, visibility and topmost state into its record and
// writes it (the toolbar always, another window once created).
void SaveWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool created);

// Reads a record and applies it. The toolbar only moves to X, Y and keeps its size; another
// window is shown or hidden by V and, when W is known, moved, sized and made topmost by T.
// A record that no screen shows any of (another screen size since) is brought inside.
// False when no record is stored.
bool RestoreWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool toolbar = false);

// The stored visibility of a window that may not exist yet; empty when nothing is stored.
std::optional<bool> StoredVisibility(CAppContext& app, std::string_view name);

// True where the window system places windows itself and ignores moves (Wayland): docking
// and the restoring of positions are off there.
bool WindowsPlacedBySystem();
