#pragma once

#include "base/Docking.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <string>

class CAppContext;
class QMenu;
class QScrollArea;

// A modeless tool window of the toolbar. Created on first use, then only shown and hidden:
// closing it hides it. Carries the "Window" menu (Always On Top, Remember Position,
// Restore Saved Position) and its placement name.
//
// Its size follows its content but never passes the work area: the content sits in a scroll
// area, so what does not fit scrolls instead of being cut, and the window grows (inside the
// work area) when its content needs more room. Whoever docks it is asked to place it again
// whenever its size changes: by its content, by the player or by a restored record.
class CToolWindow : public QMainWindow
{
    Q_OBJECT

public:
    CToolWindow(CAppContext& app, EToolWindow id, std::string placementName, QWidget* parent);

    EToolWindow Id() const { return m_id; }
    const std::string& PlacementName() const { return m_placementName; }
    CAppContext& App() { return m_app; }

    bool IsAlwaysOnTop() const;
    void SetAlwaysOnTop(bool onTop);

    // Saves or restores this window's placement record.
    void RememberPosition();
    void RestorePosition();

    // What the window asks of a dock: the frame it wants, the least its content shows in,
    // and whether it takes the free height (until the player sizes it).
    CDockSize DockSize();
    // A dock with less room than the content needs cuts the window: its content scrolls.
    void LetShrinkTo(const QSize& frame);

    // Colours from the theme; redraw repaints trees, lists and grids.
    virtual void ApplyTheme();
    // The order was edited, loaded or reset elsewhere.
    virtual void OrderChanged() {}
    // The database was reloaded.
    virtual void DatabaseReloaded() { OrderChanged(); }
    // The toolbar's Print and "View, Reports": the reports window generates its report.
    virtual void GenerateCurrentReport() {}
    // The toolbar's Print, after the report: the reports window prints its grid.
    virtual void PrintReport() {}
    // Ctrl+F: the formula browser's search by name.
    virtual void SearchByName() {}
    // An item clicked in the order window: the formula browser shows it.
    virtual void ShowOrderItem(int /*id*/) {}

Q_SIGNALS:
    void VisibilityChanged(EToolWindow id, bool visible);
    // Its frame or size changed: its first frame became known, its content grew it, the player
    // sized it or a record did. A docked window is docked again.
    void PlaceWanted(EToolWindow id);

protected:
    // Adds "Window" and "Help" menus; helpLink is the help page key (empty for none).
    void AddStandardMenus(const std::string& helpText, const std::string& helpLink);
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The client size the content needs uncut: its least size, the menu bar and the caption.
    QSize ContentMinimum() const;
    void WrapContent();
    void FitContent();

    CAppContext& m_app;
    EToolWindow m_id;
    std::string m_placementName;
    QAction* m_onTopAction = nullptr;
    QScrollArea* m_scroll = nullptr;
    // Client sizes: the least the window itself asked for, the least its content needed when
    // last measured, and what it wants with room enough.
    QSize m_declaredMinimum;
    QSize m_contentMinimum;
    QSize m_wanted;
    bool m_sizedByPlayer = false;
    // A player's resize is acted on once it stops.
    QTimer m_playerResize;
};

// Makes the tool windows that live in other parts of the program (the database browsers,
// the profile manager). A window without a factory is shown empty with its caption.
using ToolWindowFactory = std::function<CToolWindow*(CAppContext&, QWidget* parent)>;
void RegisterToolWindowFactory(EToolWindow id, ToolWindowFactory factory);
CToolWindow* CreateToolWindow(EToolWindow id, CAppContext& app, QWidget* parent);

// The placement names ("OrderWnd", ...), and the toolbar's.
const char* PlacementNameOf(EToolWindow id);
inline constexpr const char* ToolbarPlacementName = "ToolbarWnd";

// Opens a help page by its link key (warns when the key is not in the help pages).
void OpenHelpLink(CAppContext& app, const std::string& key);
