#pragma once

#include "base/Docking.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

class CAppContext;
class CDialogPlacer;
class CGlobalHotkeys;
class CToggleButton;
class CToolWindow;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;

// The main window: one toggle button per tool window, the program's menu and keys, the
// global hotkeys, and the tool windows' positions (docked along its edge, or snapping).
// Its code is in three files: the window and its buttons (ToolbarWindow.cpp), the menus and
// keys with their commands (ToolbarMenus.cpp), the docking and snapping (ToolbarDocking.cpp).
class CToolbarWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CToolbarWindow(CAppContext& app);
    ~CToolbarWindow() override;

    // After the database is loaded: orientation, colours, saved positions, shown, docking
    // and (when "GlobalHotkeys" is on) the hotkeys.
    void Initialise();

    // The tool window, created on first use.
    CToolWindow* Window(EToolWindow id);
    // The tool window when it exists; null otherwise.
    CToolWindow* ExistingWindow(EToolWindow id) const;
    bool IsShown(EToolWindow id) const;

    // The button commands and the View menu.
    void Toggle(EToolWindow id);
    void ShowWindow(EToolWindow id);
    // Docks the window (and its partner unless alone) beside the toolbar.
    void Dock(EToolWindow id, bool alone = false);
    std::optional<EToolWindow> Docked() const { return m_docked; }
    void SetAutodock(bool on);
    void SetVertical(bool vertical);
    bool IsVertical() const;
    void SetAlwaysOnTop(bool onTop);

    void RememberAllPositions();
    void RestoreAllPositions();
    void RecacheDatabase();
    void RefreshTheme();
    // Colours from the theme; redraw repaints the open tool windows too.
    void ApplyThemeColours(bool redraw);
    void Print();
    void LiveUpdate();
    // "New Order from Template...": the wizard starts an order or adds to this one.
    void NewOrderFromTemplate();
    // The Edit menu's texts and states follow the order's history.
    void RefreshEditActions();
    void FillRecentOrders();
    // Caption, version frame and database label from the settings.
    void RefreshRevision();

    // The work area used for docking, snapping and keeping windows on the screen (tests set a
    // fixed one, for as long as this toolbar lives).
    void SetWorkAreaOverride(const std::optional<CDockRect>& area);
    CDockRect WorkArea() const;

    // The Live Update dialog, provided by the update part of the program.
    static void SetLiveUpdateHandler(std::function<void(CAppContext&, QWidget*)> handler);

    QLabel* DatabaseLabel() const { return m_dbLabel; }
    QLabel* VersionLabel() const { return m_versionLabel; }
    CToggleButton* Button(EToolWindow id) const { return m_buttons[static_cast<int>(id)]; }
    CToggleButton* UpdateButton() const { return m_updateButton; }
    CToggleButton* WizardButton() const { return m_wizardButton; }
    CToggleButton* PricesButton() const { return m_pricesButton; }
    QAction* UndoAction() const { return m_undoAction; }
    QAction* RedoAction() const { return m_redoAction; }
    QMenu* RecentMenu() const { return m_recentMenu; }
    QCheckBox* AutodockBox() const { return m_autodock; }
    CGlobalHotkeys* Hotkeys() const { return m_hotkeys; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The F key of a tool window's button (its index is the window's id).
    static Qt::Key ButtonKey(int index);
    void BuildControls();
    void BuildMenus();
    void LayoutControls();
    void OnHotkey(int index);
    void OnWindowVisibility(EToolWindow id, bool visible);
    void FollowToolbar(int dx, int dy);
    void FollowDock();
    void PlaceDocked(CToolWindow* window, const CDockPlacement& placement);
    // A tool window's size or frame changed: docked again, or kept inside the work area.
    void PlaceAgain(EToolWindow id);
    void PlaceDeferred();
    // Docks the first shown window in Autodock's order.
    void DockFirstShown();
    // Before a window shows with Autodock off.
    void PlaceUndocked(EToolWindow id);
    void MoveTool(EToolWindow id, int x, int y);
    std::array<CDockSize, ToolWindowCount> DockSizes();
    QAction* AddAction(QMenu* menu, std::string_view text, const QKeySequence& key,
                       std::function<void()> handler, Qt::ShortcutContext context = Qt::WindowShortcut);

    CAppContext& m_app;
    std::array<QPointer<CToolWindow>, ToolWindowCount> m_windows;
    std::array<CToggleButton*, ToolWindowCount> m_buttons{};
    CToggleButton* m_updateButton = nullptr;
    CToggleButton* m_wizardButton = nullptr;
    CToggleButton* m_pricesButton = nullptr;
    QAction* m_wizardAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_ordersLabel = nullptr;
    QLabel* m_databaseLabel = nullptr;
    QLabel* m_onlineLabel = nullptr;
    QFrame* m_versionFrame = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_dbLabel = nullptr;
    QCheckBox* m_autodock = nullptr;
    QAction* m_onTopAction = nullptr;
    QAction* m_verticalAction = nullptr;
    QAction* m_horizontalAction = nullptr;
    CGlobalHotkeys* m_hotkeys = nullptr;
    CDialogPlacer* m_dialogs = nullptr;

    std::optional<EToolWindow> m_docked;
    bool m_overridesWorkArea = false;
    // Windows being placed or restored: a window asking to be placed again waits for the end.
    bool m_placing = false;
    bool m_restoring = false;
    std::optional<EToolWindow> m_placeAgain;
    QPoint m_lastPosition;
    bool m_positionKnown = false;
    bool m_snapping = false;
    bool m_updateRunning = false;
    bool m_closing = false;
    std::array<bool, ToolWindowCount> m_shownBeforeMinimise{};
};
