#include "ui/shell/ToolbarWindow.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/Placement.h"
#include "platform/QtSettingsStore.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/BusyCursor.h"
#include "ui/shell/ConfigDialog.h"
#include "ui/shell/GlobalHotkeys.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/WindowPlacement.h"

#include <QApplication>
#include <QFile>
#include <QMenuBar>

// The toolbar's menus and keys, and the commands they run.

namespace
{
std::function<void(CAppContext&, QWidget*)>& LiveUpdateHandler()
{
    static std::function<void(CAppContext&, QWidget*)> handler;
    return handler;
}
} // namespace

void CToolbarWindow::SetLiveUpdateHandler(std::function<void(CAppContext&, QWidget*)> handler)
{
    LiveUpdateHandler() = std::move(handler);
}

QAction* CToolbarWindow::AddAction(QMenu* menu, std::string_view text, const QKeySequence& key,
                                   std::function<void()> handler, Qt::ShortcutContext context)
{
    QAction* action = menu->addAction(Tr(text));
    if (!key.isEmpty())
    {
        action->setShortcut(key);
        action->setShortcutContext(context);
    }
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    return action;
}

void CToolbarWindow::BuildMenus()
{
    // The File keys work from every window of the program; the desktop's usual keys for
    // Save As and Quit sit beside the program's own.
    QMenu* file = menuBar()->addMenu(Tr(Messages::MenuFile));
    AddAction(file, Messages::MenuNewOrder, QKeySequence(Qt::CTRL | Qt::Key_N),
              [this] { OrderCommands::NewOrder(m_app, this); }, Qt::ApplicationShortcut);
    AddAction(file, Messages::MenuOpenOrder, QKeySequence(Qt::CTRL | Qt::Key_O),
              [this] { OrderCommands::OpenOrder(m_app, this); }, Qt::ApplicationShortcut);
    AddAction(file, Messages::MenuSaveOrder, QKeySequence(Qt::CTRL | Qt::Key_S),
              [this] { OrderCommands::SaveOrder(m_app, this); }, Qt::ApplicationShortcut);
    QAction* saveAs = AddAction(file, Messages::MenuSaveOrderAs, QKeySequence(Qt::CTRL | Qt::Key_A),
                                [this] { OrderCommands::SaveOrderAs(m_app, this); }, Qt::ApplicationShortcut);
    saveAs->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_A), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    m_wizardAction = AddAction(file, Messages::MenuNewFromTemplate, QKeySequence(Qt::CTRL | Qt::Key_T),
                               [this] { NewOrderFromTemplate(); }, Qt::ApplicationShortcut);
    m_recentMenu = file->addMenu(Tr(Messages::MenuRecentOrders));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CToolbarWindow::FillRecentOrders);
    file->addSeparator();
    AddAction(file, Messages::MenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P), [this] { Print(); },
              Qt::ApplicationShortcut);
    file->addSeparator();
    QAction* exit = AddAction(file, Messages::MenuExit, QKeySequence(Qt::CTRL | Qt::Key_X), [this] { close(); },
                              Qt::ApplicationShortcut);
    exit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* edit = menuBar()->addMenu(Tr(Messages::MenuEdit));
    m_undoAction = AddAction(edit, Messages::UndoPrefix, QKeySequence(Qt::CTRL | Qt::Key_Z),
                             [this] { m_app.UndoOrderEdit(); }, Qt::ApplicationShortcut);
    m_redoAction = AddAction(edit, Messages::RedoPrefix, {}, [this] { m_app.RedoOrderEdit(); });
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_redoAction->setShortcutContext(Qt::ApplicationShortcut);
    connect(edit, &QMenu::aboutToShow, this, &CToolbarWindow::RefreshEditActions);
    RefreshEditActions();

    QMenu* options = menuBar()->addMenu(Tr(Messages::MenuOptions));
    m_onTopAction = AddAction(options, Messages::MenuAlwaysOnTop, {}, [this] { SetAlwaysOnTop(m_onTopAction->isChecked()); });
    m_onTopAction->setCheckable(true);

    QMenu* view = options->addMenu(Tr(Messages::MenuView));
    static constexpr std::string_view ViewNames[] = {Messages::LabelOrders,     Messages::ButtonReports,
                                                     Messages::ButtonFormulae,  Messages::ButtonTechniques,
                                                     Messages::ButtonComponents, Messages::ButtonProfiles};
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        AddAction(view, ViewNames[i], QKeySequence(Qt::CTRL | Qt::SHIFT | ButtonKey(i)), [this, id] { ShowWindow(id); },
                  Qt::ApplicationShortcut);
    }
    AddAction(view, Messages::ButtonLiveUpdate, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7), [this] { LiveUpdate(); },
              Qt::ApplicationShortcut);

    QMenu* window = options->addMenu(Tr(Messages::MenuWindow));
    QMenu* all = window->addMenu(Tr(Messages::MenuAllWindows));
    AddAction(all, Messages::MenuRememberAll, {}, [this] { RememberAllPositions(); });
    AddAction(all, Messages::MenuRestoreAll, {}, [this] { RestoreAllPositions(); });
    QMenu* toolbar = window->addMenu(Tr(Messages::MenuToolbar));
    AddAction(toolbar, Messages::MenuRememberPosition, {},
              [this] { SaveWindowPlacement(m_app, WindowNames::Toolbar, this, true); });
    AddAction(toolbar, Messages::MenuRestorePosition, {},
              [this] { RestoreWindowPlacement(m_app, WindowNames::Toolbar, this, true); });
    static constexpr std::string_view WindowMenuNames[] = {
        Messages::LabelOrders,          Messages::ButtonReports,         Messages::MenuFormulaDatabase,
        Messages::MenuTechniqueDatabase, Messages::MenuComponentDatabase, Messages::MenuProfileManager};
    static constexpr EToolWindow MenuOrder[] = {EToolWindow::Order,      EToolWindow::Reports,
                                                EToolWindow::Formulae,   EToolWindow::Techniques,
                                                EToolWindow::Components, EToolWindow::Profiles};
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const EToolWindow id = MenuOrder[i];
        QMenu* sub = window->addMenu(Tr(WindowMenuNames[i]));
        AddAction(sub, Messages::MenuRememberPosition, {},
                  [this, id]
                  {
                      if (CToolWindow* tool = ExistingWindow(id))
                          tool->RememberPosition();
                  });
        AddAction(sub, Messages::MenuRestorePosition, {}, [this, id] { Window(id)->RestorePosition(); });
    }

    QMenu* orientation = options->addMenu(Tr(Messages::MenuOrientation));
    m_verticalAction = AddAction(orientation, Messages::MenuVertical, {}, [this] { SetVertical(true); });
    m_horizontalAction = AddAction(orientation, Messages::MenuHorizontal, {}, [this] { SetVertical(false); });
    m_verticalAction->setCheckable(true);
    m_horizontalAction->setCheckable(true);

    QMenu* settings = options->addMenu(Tr(Messages::MenuSettings));
    AddAction(settings, Messages::MenuConfiguration, {},
              [this]
              {
                  CConfigDialog dialog(m_app, this);
                  dialog.exec();
              });
    AddAction(settings, Messages::MenuRecache, {}, [this] { RecacheDatabase(); });
    AddAction(settings, Messages::MenuRefreshTheme, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R),
              [this] { RefreshTheme(); }, Qt::ApplicationShortcut);

    QMenu* help = menuBar()->addMenu(Tr(Messages::MenuHelp));
    AddAction(help, Messages::MenuOfficialSite, {}, [this] { OpenHelpLink(m_app, std::string(Messages::LinkOfficialSite)); });
    AddAction(help, Messages::MenuOnlineManual, {}, [this] { OpenHelpLink(m_app, std::string(Messages::LinkOnlineManual)); });
    // Faults go to the project's tracker, not to a page of the game data.
    AddAction(help, Messages::MenuReportBug, {}, [this] { m_app.Links().OpenUrl(MOXA_BUG_REPORT_URL); });
    help->addSeparator();
    AddAction(help, Messages::MenuAbout, {},
              [this]
              {
                  QString text = Tr(Messages::CaptionVersion1) + Qs(MoxaVersion) +
                                 Tr(Messages::AboutLicence) + Tr(Messages::AboutDataFolder) +
                                 QString::fromLocal8Bit(m_app.DataFolder().string()) + Tr(Messages::AboutSettingsFile) +
                                 QString::fromLocal8Bit(UserSettingsFile().string()) + Tr(Messages::AboutHomepage) +
                                 QStringLiteral(MOXA_HOMEPAGE_URL) + Tr(Messages::AboutReportBugs) +
                                 QStringLiteral(MOXA_BUG_REPORT_URL);
                  if (WindowsPlacedBySystem())
                      text += Tr(Messages::AboutNoDocking);
                  CMessageBox::Show(this, text, CMessageBox::EIcon::Information);
              });

    // Keys without a menu entry: the buttons, F12 and the formula search. They work from
    // every window of the program.
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        auto* key = new QAction(this);
        key->setShortcut(QKeySequence(ButtonKey(i)));
        key->setShortcutContext(Qt::ApplicationShortcut);
        connect(key, &QAction::triggered, this, [this, id] { Toggle(id); });
        addAction(key);
    }
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence(Qt::Key_F7), [this] { LiveUpdate(); }},
        {QKeySequence(Qt::Key_F12), [this] { ShowWindow(EToolWindow::Reports); }},
        {QKeySequence(Qt::CTRL | Qt::Key_F),
         [this]
         {
             ShowWindow(EToolWindow::Formulae);
             Window(EToolWindow::Formulae)->SearchByName();
         }},
    };
    for (const auto& [sequence, handler] : keys)
    {
        auto* key = new QAction(this);
        key->setShortcut(sequence);
        key->setShortcutContext(Qt::ApplicationShortcut);
        connect(key, &QAction::triggered, this, handler);
        addAction(key);
    }
}

void CToolbarWindow::SetAlwaysOnTop(bool onTop)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show();
    m_onTopAction->setChecked(onTop);
}

void CToolbarWindow::OnHotkey(int index)
{
    if (index == CGlobalHotkeys::RestoreToolbar)
    {
        if (isMinimized())
            showNormal();
        show();
        raise();
        activateWindow();
        return;
    }
    if (index == ToolWindowCount)
        LiveUpdate();
    else
        ShowWindow(static_cast<EToolWindow>(index));
}

void CToolbarWindow::RememberAllPositions()
{
    for (std::string_view name : WindowNames::All)
    {
        if (name == WindowNames::Toolbar)
        {
            SaveWindowPlacement(m_app, name, this, true);
            continue;
        }
        for (int i = 0; i < ToolWindowCount; ++i)
            if (name == PlacementNameOf(static_cast<EToolWindow>(i)))
            {
                if (CToolWindow* window = m_windows[i])
                    window->RememberPosition();
            }
    }
}

void CToolbarWindow::RestoreAllPositions()
{
    RestoreWindowPlacement(m_app, WindowNames::Toolbar, this, true);
    m_restoring = true;
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (ExistingWindow(id) || StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
            Window(id)->RestorePosition();
    }
    m_restoring = false;
    m_placeAgain.reset();
    // Docking keeps the windows beside the toolbar, as at start-up.
    if (m_app.Settings().DockingMode)
        DockFirstShown();
}

void CToolbarWindow::RecacheDatabase()
{
    if (!CMessageBox::AskYesNo(this, Tr(Messages::RecacheQuestion), CMessageBox::EIcon::Question) ||
        !OrderCommands::SaveChangesFirst(m_app, this))
        return;
    const CBusyCursor busy;
    CProgressWindow progress(this);
    m_app.Recache(&progress);
}

void CToolbarWindow::Print()
{
    ShowWindow(EToolWindow::Reports);
    Window(EToolWindow::Reports)->PrintReport();
}

void CToolbarWindow::LiveUpdate()
{
    if (m_updateRunning)
        return;
    m_updateRunning = true;
    m_updateButton->SetOn(true);
    if (LiveUpdateHandler())
        LiveUpdateHandler()(m_app, this);
    m_updateButton->SetOn(false);
    m_updateRunning = false;
}

void CToolbarWindow::NewOrderFromTemplate()
{
    // Always open: the formula browser lets go of an item the wizard's new order removes.
    OrderCommands::NewOrderFromTemplate(m_app, this);
}

void CToolbarWindow::RefreshEditActions()
{
    const COrderHistory& history = m_app.History();
    m_undoAction->setText(TrEditText(Messages::UndoPrefix, history.UndoText()));
    m_redoAction->setText(TrEditText(Messages::RedoPrefix, history.RedoText()));
    m_undoAction->setEnabled(history.CanUndo());
    m_redoAction->setEnabled(history.CanRedo());
}

void CToolbarWindow::FillRecentOrders()
{
    m_recentMenu->clear();
    const std::vector<std::string> paths = OrderCommands::RecentOrders(m_app, this);
    for (std::size_t i = 0; i < paths.size(); ++i)
    {
        const std::string path = paths[i];
        QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFile::decodeName(path.c_str())));
        connect(action, &QAction::triggered, this,
                [this, path]
                {
                    if (OrderCommands::SaveChangesFirst(m_app, this))
                        OrderCommands::OpenOrderFile(m_app, this, path);
                });
    }
    if (paths.empty())
        m_recentMenu->addAction(Tr(Messages::MenuNoRecentOrders))->setEnabled(false);
}
