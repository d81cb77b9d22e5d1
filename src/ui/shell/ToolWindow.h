#pragma once

#include "base/Docking.h"

#include <QMainWindow>

#include <functional>
#include <string>

class CAppContext;
class QMenu;

// A modeless tool window of the toolbar. Created on first use, then only shown and hidden:
// closing it hides it. Carries the "Window" menu (Always On Top, Remember Position,
// Restore Saved Position) and its placement name.
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
    // Placed again once its first frame was known (its frame size may have changed).
    void FrameSettled(EToolWindow id);

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
    CAppContext& m_app;
    EToolWindow m_id;
    std::string m_placementName;
    QAction* m_onTopAction = nullptr;
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
