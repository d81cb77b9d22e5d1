#pragma once

#include "base/Docking.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>
#include <string_view>

class CAppContext;
class QWidget;

// A window's frame on the screen: its client rectangle with the window manager's frame
// around it. A window not yet on the screen is measured with the frame last seen on another.
// Records, docking and snapping all speak of frames; Qt places clients, so every placement
// goes through these.
QRect FrameRect(const QWidget* window);
QMargins FrameMarginsOf(const QWidget* window);
void SetFrameRect(QWidget* window, const QRect& frame);
void MoveFrame(QWidget* window, const QPoint& topLeft);
// Called when a window appears framed: a placement made before its frame was known is made
// again with it (true then).
bool SettleFrame(QWidget* window);
// The client sizes the program gave a window lately: the window manager's answers come back
// as resizes, and only a size it was not asked for is the player's.
void NoteSizeAsked(QWidget* window, const QSize& size);
bool SizeAsked(const QWidget* window, const QSize& size);

// The part of the screen windows are kept in: the window's screen less its panels, unless
// a test has set one.
QRect WorkAreaOf(const QWidget* window);
void SetWorkAreaOverride(const std::optional<QRect>& area);
// Brings the window's frame inside the work area, moved as little as it needs; cut to the
// area too when it is larger, unless keepSize (the toolbar, whose size is its controls').
void KeepInWorkArea(QWidget* window, bool keepSize = false);

// The width a window's caption needs in the title bar (its text in bold beside the frame's
// buttons), up to a limit: an order's caption is its file's path.
int CaptionWidth(const QWidget* window);

CDockRect ToDock(const QRect& rect);
QRect FromDock(const CDockRect& rect);

// Takes a window's screen rectangle, visibility and topmost state into its record and
// writes it (the toolbar always, another window once created).
void SaveWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool created);

// Reads a record and applies it. The toolbar only moves to X, Y and keeps its size; another
// window is shown or hidden by V and, when W is known, moved, sized and made topmost by T.
// Whatever the record says, the window ends inside the work area (a record saved on another
// screen, or at another scale, is brought inside). False when no record is stored.
bool RestoreWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool toolbar = false);

// The stored visibility of a window that may not exist yet; empty when nothing is stored.
std::optional<bool> StoredVisibility(CAppContext& app, std::string_view name);

// True where the window system places windows itself and ignores moves (Wayland): docking
// and the restoring of positions are off there.
bool WindowsPlacedBySystem();

// Places every dialog of the program as it opens: centred on the free part of the screen
// beside the toolbar, as wide as its caption needs, and inside the work area while it shows.
class CDialogPlacer : public QObject
{
public:
    explicit CDialogPlacer(QWidget* toolbar);

    // The toolbar changed its shape: dialogs it now covers are placed again beside it.
    void KeepOffToolbar();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place(QWidget* dialog);

    QPointer<QWidget> m_toolbar;
};
