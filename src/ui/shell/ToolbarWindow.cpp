#include "ui/shell/ToolbarWindow.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/Placement.h"
#include "platform/QtSettingsStore.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/ConfigDialog.h"
#include "ui/shell/GlobalHotkeys.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ThemePalette.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

namespace
{
std::function<void(CAppContext&, QWidget*)>& LiveUpdateHandler()
{
    static std::function<void(CAppContext&, QWidget*)> handler;
    return handler;
}

constexpr int ButtonWidth = 102;
constexpr int VerticalButtonHeight = 31;
constexpr int HorizontalButtonHeight = 28;

struct CButtonInfo
{
    std::string_view text;
    std::string_view tip;
    Qt::Key key;
};

constexpr std::array<CButtonInfo, ToolWindowCount> Buttons = {{
    {Messages::ButtonOrder, Messages::TipOrder, Qt::Key_F1},
    {Messages::ButtonReports, Messages::TipReports, Qt::Key_F2},
    {Messages::ButtonFormulae, Messages::TipFormulae, Qt::Key_F3},
    {Messages::ButtonTechniques, Messages::TipTechniques, Qt::Key_F4},
    {Messages::ButtonComponents, Messages::TipComponents, Qt::Key_F5},
    {Messages::ButtonProfiles, Messages::TipProfiles, Qt::Key_F6},
}};

CDockRect ToDock(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QFont LabelFont(bool underline)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setUnderline(underline);
    return font;
}
} // namespace

void CToolbarWindow::SetLiveUpdateHandler(std::function<void(CAppContext&, QWidget*)> handler)
{
    LiveUpdateHandler() = std::move(handler);
}

CToolbarWindow::CToolbarWindow(CAppContext& app) : QMainWindow(nullptr), m_app(app)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    BuildControls();
    BuildMenus();
    m_hotkeys = new CGlobalHotkeys(this);
    connect(m_hotkeys, &CGlobalHotkeys::Triggered, this, &CToolbarWindow::OnHotkey);
    m_app.onOrderChanged = [this]
    {
        for (CToolWindow* window : m_windows)
            if (window)
                window->OrderChanged();
        RefreshEditActions();
        RefreshWizardButton();
    };
    m_app.onDatabaseLoaded = [this]
    {
        for (CToolWindow* window : m_windows)
            if (window)
                window->DatabaseReloaded();
        RefreshRevision();
    };
    m_app.onApplyTheme = [this](bool redraw) { ApplyThemeColours(redraw); };
    m_app.Session().SetApplyThemeColours([this] { ApplyThemeColours(false); });
    m_app.Session().SetRefreshBrowsers(
        [this]
        {
            for (EToolWindow id : {EToolWindow::Formulae, EToolWindow::Techniques})
                if (CToolWindow* window = ExistingWindow(id))
                    window->DatabaseReloaded();
        });
    SetVertical(m_app.Settings().VerticalToolbar);
}

CToolbarWindow::~CToolbarWindow()
{
    m_app.onOrderChanged = nullptr;
    m_app.onDatabaseLoaded = nullptr;
    m_app.orderSelection = nullptr;
    m_app.onApplyTheme = nullptr;
    m_app.Session().SetApplyThemeColours(nullptr);
    m_app.Session().SetRefreshBrowsers(nullptr);
}

void CToolbarWindow::BuildControls()
{
    auto* client = new QWidget(this);
    setCentralWidget(client);
    m_versionFrame = new QFrame(client);
    m_versionFrame->setFrameShape(QFrame::Box);
    m_versionFrame->setFrameShadow(QFrame::Sunken);
    m_versionLabel = new QLabel(m_versionFrame);
    m_dbLabel = new QLabel(m_versionFrame);
    m_versionLabel->setAlignment(Qt::AlignCenter);
    m_dbLabel->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(m_versionFrame);
    frameLayout->setContentsMargins(2, 1, 2, 1);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(m_versionLabel);
    frameLayout->addWidget(m_dbLabel);

    m_ordersLabel = new QLabel(Qs(Messages::LabelOrders), client);
    m_databaseLabel = new QLabel(Qs(Messages::LabelDatabase), client);
    m_onlineLabel = new QLabel(Qs(Messages::LabelOnline), client);
    for (QLabel* label : {m_ordersLabel, m_databaseLabel, m_onlineLabel})
        label->setFont(LabelFont(true));
    m_versionLabel->setFont(LabelFont(false));
    m_dbLabel->setFont(LabelFont(false));

    for (int i = 0; i < ToolWindowCount; ++i)
    {
        m_buttons[i] = new CToggleButton(Qs(Buttons[i].text), Qs(Buttons[i].tip), client);
        const auto id = static_cast<EToolWindow>(i);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, id] { Toggle(id); });
    }
    m_updateButton = new CToggleButton(Qs(Messages::ButtonLiveUpdate), Qs(Messages::TipLiveUpdate), client);
    connect(m_updateButton, &QPushButton::clicked, this, &CToolbarWindow::LiveUpdate);
    m_wizardButton = new CToggleButton(Qs(Messages::ButtonWizard), Qs(Messages::TipWizard), client);
    connect(m_wizardButton, &QPushButton::clicked, this, &CToolbarWindow::NewOrderFromTemplate);

    m_autodock = new QCheckBox(Qs(Messages::Autodock), client);
    m_autodock->setChecked(m_app.Settings().DockingMode);
    if (WindowsPlacedBySystem())
    {
        m_autodock->setEnabled(false);
        m_autodock->setToolTip(Qs(Messages::AboutNoDocking).trimmed());
    }
    connect(m_autodock, &QCheckBox::toggled, this, &CToolbarWindow::SetAutodock);
}

QAction* CToolbarWindow::AddAction(QMenu* menu, std::string_view text, const QKeySequence& key,
                                   std::function<void()> handler, Qt::ShortcutContext context)
{
    QAction* action = menu->addAction(Qs(text));
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
    QMenu* file = menuBar()->addMenu(Qs(Messages::MenuFile));
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
    m_recentMenu = file->addMenu(Qs(Messages::MenuRecentOrders));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CToolbarWindow::FillRecentOrders);
    file->addSeparator();
    AddAction(file, Messages::MenuPrint, QKeySequence(Qt::CTRL | Qt::Key_P), [this] { Print(); },
              Qt::ApplicationShortcut);
    file->addSeparator();
    QAction* exit = AddAction(file, Messages::MenuExit, QKeySequence(Qt::CTRL | Qt::Key_X), [this] { close(); },
                              Qt::ApplicationShortcut);
    exit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    QMenu* edit = menuBar()->addMenu(Qs(Messages::MenuEdit));
    m_undoAction = AddAction(edit, Messages::UndoPrefix, QKeySequence(Qt::CTRL | Qt::Key_Z),
                             [this] { m_app.UndoOrderEdit(); }, Qt::ApplicationShortcut);
    m_redoAction = AddAction(edit, Messages::RedoPrefix, {}, [this] { m_app.RedoOrderEdit(); });
    m_redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m_redoAction->setShortcutContext(Qt::ApplicationShortcut);
    connect(edit, &QMenu::aboutToShow, this, &CToolbarWindow::RefreshEditActions);
    RefreshEditActions();

    QMenu* options = menuBar()->addMenu(Qs(Messages::MenuOptions));
    m_onTopAction = AddAction(options, Messages::MenuAlwaysOnTop, {}, [this] { SetAlwaysOnTop(m_onTopAction->isChecked()); });
    m_onTopAction->setCheckable(true);

    QMenu* view = options->addMenu(Qs(Messages::MenuView));
    static constexpr std::string_view ViewNames[] = {Messages::LabelOrders,     Messages::ButtonReports,
                                                     Messages::ButtonFormulae,  Messages::ButtonTechniques,
                                                     Messages::ButtonComponents, Messages::ButtonProfiles};
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        AddAction(view, ViewNames[i], QKeySequence(Qt::CTRL | Qt::SHIFT | Buttons[i].key), [this, id] { ShowWindow(id); },
                  Qt::ApplicationShortcut);
    }
    AddAction(view, Messages::ButtonLiveUpdate, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F7), [this] { LiveUpdate(); },
              Qt::ApplicationShortcut);

    QMenu* window = options->addMenu(Qs(Messages::MenuWindow));
    QMenu* all = window->addMenu(Qs(Messages::MenuAllWindows));
    AddAction(all, Messages::MenuRememberAll, {}, [this] { RememberAllPositions(); });
    AddAction(all, Messages::MenuRestoreAll, {}, [this] { RestoreAllPositions(); });
    QMenu* toolbar = window->addMenu(Qs(Messages::MenuToolbar));
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
        QMenu* sub = window->addMenu(Qs(WindowMenuNames[i]));
        AddAction(sub, Messages::MenuRememberPosition, {},
                  [this, id]
                  {
                      if (CToolWindow* tool = ExistingWindow(id))
                          tool->RememberPosition();
                  });
        AddAction(sub, Messages::MenuRestorePosition, {}, [this, id] { Window(id)->RestorePosition(); });
    }

    QMenu* orientation = options->addMenu(Qs(Messages::MenuOrientation));
    m_verticalAction = AddAction(orientation, Messages::MenuVertical, {}, [this] { SetVertical(true); });
    m_horizontalAction = AddAction(orientation, Messages::MenuHorizontal, {}, [this] { SetVertical(false); });
    m_verticalAction->setCheckable(true);
    m_horizontalAction->setCheckable(true);

    QMenu* settings = options->addMenu(Qs(Messages::MenuSettings));
    AddAction(settings, Messages::MenuConfiguration, {},
              [this]
              {
                  CConfigDialog dialog(m_app, this);
                  dialog.exec();
              });
    AddAction(settings, Messages::MenuRecache, {}, [this] { RecacheDatabase(); });
    AddAction(settings, Messages::MenuRefreshTheme, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R),
              [this] { RefreshTheme(); }, Qt::ApplicationShortcut);

    QMenu* help = menuBar()->addMenu(Qs(Messages::MenuHelp));
    AddAction(help, Messages::MenuOfficialSite, {}, [this] { OpenHelpLink(m_app, std::string(Messages::LinkOfficialSite)); });
    AddAction(help, Messages::MenuOnlineManual, {}, [this] { OpenHelpLink(m_app, std::string(Messages::LinkOnlineManual)); });
    AddAction(help, Messages::MenuReportBug, {}, [this] { OpenHelpLink(m_app, std::string(Messages::LinkReportBug)); });
    help->addSeparator();
    AddAction(help, Messages::MenuAbout, {},
              [this]
              {
                  std::string text = std::string(Messages::CaptionVersion1) + std::string(MoxaVersion) +
                                     std::string(Messages::AboutLicence) + std::string(Messages::AboutDataFolder) +
                                     m_app.DataFolder().string() + std::string(Messages::AboutSettingsFile) +
                                     UserSettingsFile().string();
                  if (WindowsPlacedBySystem())
                      text += std::string(Messages::AboutNoDocking);
                  CMessageBox::Show(this, QString::fromLocal8Bit(text), CMessageBox::EIcon::Information);
              });

    // Keys without a menu entry: the buttons, F12 and the formula search. They work from
    // every window of the program.
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        auto* key = new QAction(this);
        key->setShortcut(QKeySequence(Buttons[i].key));
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

void CToolbarWindow::LayoutControls()
{
    // The controls keep the order and grouping of both layouts; their sizes follow their texts.
    const bool vertical = IsVertical();
    auto* client = centralWidget();
    delete client->layout();
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(0);
    int width = ButtonWidth;
    for (const CToggleButton* button : m_buttons)
        width = std::max(width, button->sizeHint().width());
    width = std::max(width, m_updateButton->sizeHint().width());
    width = std::max(width, m_wizardButton->sizeHint().width());
    const int height = vertical ? VerticalButtonHeight : HorizontalButtonHeight;
    for (CToggleButton* button : m_buttons)
        button->setFixedSize(width, height);
    m_updateButton->setFixedSize(width, height);
    m_wizardButton->setFixedSize(width, height);
    if (vertical)
    {
        int row = 0;
        grid->addWidget(m_versionFrame, row++, 0);
        grid->addWidget(m_ordersLabel, row++, 0);
        grid->addWidget(m_buttons[0], row++, 0);
        grid->addWidget(m_buttons[1], row++, 0);
        // The wizard's button under the order buttons.
        grid->addWidget(m_wizardButton, row++, 0);
        grid->setRowMinimumHeight(row++, 6);
        grid->addWidget(m_databaseLabel, row++, 0);
        for (int i = 2; i < ToolWindowCount; ++i)
            grid->addWidget(m_buttons[i], row++, 0);
        grid->setRowMinimumHeight(row++, 6);
        grid->addWidget(m_onlineLabel, row++, 0);
        grid->addWidget(m_updateButton, row++, 0);
        grid->setRowMinimumHeight(row++, 4);
        grid->addWidget(m_autodock, row++, 0, Qt::AlignHCenter);
    }
    else
    {
        grid->addWidget(m_ordersLabel, 0, 0);
        grid->addWidget(m_buttons[0], 1, 0);
        grid->addWidget(m_buttons[1], 2, 0);
        // The wizard's button makes a third row under the order buttons.
        grid->addWidget(m_wizardButton, 3, 0);
        grid->addWidget(m_databaseLabel, 0, 1, 1, 2);
        grid->addWidget(m_buttons[2], 1, 1);
        grid->addWidget(m_buttons[3], 2, 1);
        grid->addWidget(m_buttons[4], 1, 2);
        grid->addWidget(m_buttons[5], 2, 2);
        grid->addWidget(m_onlineLabel, 0, 3);
        grid->addWidget(m_updateButton, 1, 3);
        grid->addWidget(m_autodock, 2, 3, Qt::AlignHCenter);
    }
    m_versionFrame->setVisible(vertical);
    // The menu bar shows all its menus, and the horizontal caption fits its title bar
    // (its text in the bold title face, with room for the frame's buttons).
    QFont title = font();
    title.setBold(true);
    const int caption = QFontMetrics(title).horizontalAdvance(windowTitle()) + 110;
    client->setMinimumWidth(std::max(menuBar()->sizeHint().width(), caption));
    client->setFixedHeight(grid->sizeHint().height());
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(sizeHint());
}

bool CToolbarWindow::IsVertical() const
{
    return m_app.Settings().VerticalToolbar;
}

void CToolbarWindow::SetVertical(bool vertical)
{
    m_app.Settings().VerticalToolbar = vertical;
    m_verticalAction->setChecked(vertical);
    m_horizontalAction->setChecked(!vertical);
    RefreshRevision();
    if (m_docked && IsShown(*m_docked) && m_autodock->isChecked())
        Dock(*m_docked);
}

void CToolbarWindow::RefreshRevision()
{
    const std::string& revision = m_app.Settings().DatabaseRevision;
    const std::string version = std::string(Messages::CaptionVersion1) + std::string(MoxaVersion);
    if (IsVertical())
        setWindowTitle(Qs(Messages::ToolbarCaption));
    else
        setWindowTitle(Qs(version + std::string(Messages::CaptionRevision1) + revision +
                          std::string(Messages::CaptionRevision2)));
    m_versionLabel->setText(Qs(version));
    m_dbLabel->setText(revision.empty() ? Qs(Messages::DatabaseLabelDefault)
                                        : Qs(std::string(Messages::DatabaseLabel1) + revision));
    LayoutControls();
}

void CToolbarWindow::Initialise()
{
    m_autodock->blockSignals(true);
    m_autodock->setChecked(m_app.Settings().DockingMode);
    m_autodock->blockSignals(false);
    SetVertical(m_app.Settings().VerticalToolbar);
    ApplyThemeColours(false);
    RestoreWindowPlacement(m_app, WindowNames::Toolbar, this, true);
    show();
    // Windows that were open when the program last saved their places open again.
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
            Window(id)->RestorePosition();
    }
    if (m_app.Settings().DockingMode)
    {
        std::array<bool, ToolWindowCount> visible{};
        for (int i = 0; i < ToolWindowCount; ++i)
            visible[i] = IsShown(static_cast<EToolWindow>(i));
        if (const auto first = FirstToDock(visible))
            Dock(*first);
    }
    if (m_app.Settings().GlobalHotkeys)
        m_hotkeys->Register();
    m_app.hotkeysTaken = m_hotkeys->Taken();
}

CToolWindow* CToolbarWindow::ExistingWindow(EToolWindow id) const
{
    return m_windows[static_cast<int>(id)];
}

CToolWindow* CToolbarWindow::Window(EToolWindow id)
{
    QPointer<CToolWindow>& slot = m_windows[static_cast<int>(id)];
    if (!slot)
    {
        slot = CreateToolWindow(id, m_app, this);
        slot->ApplyTheme();
        if (auto* formulae = qobject_cast<CFormulaWindow*>(slot.data()))
            connect(formulae, &CFormulaWindow::WorkingItemChanged, this, &CToolbarWindow::RefreshWizardButton);
        connect(slot, &CToolWindow::VisibilityChanged, this, &CToolbarWindow::OnWindowVisibility);
        // A docked window measured with a guessed frame is docked again with its own.
        connect(slot, &CToolWindow::FrameSettled, this,
                [this](EToolWindow settled)
                {
                    if (m_docked && IsShown(*m_docked) && (settled == *m_docked || DockPartner(*m_docked) == settled))
                        FollowDock();
                });
        m_app.placements.Get(PlacementNameOf(id)).created = true;
    }
    return slot;
}

bool CToolbarWindow::IsShown(EToolWindow id) const
{
    const CToolWindow* window = ExistingWindow(id);
    return window && window->isVisible();
}

void CToolbarWindow::OnWindowVisibility(EToolWindow id, bool visible)
{
    m_buttons[static_cast<int>(id)]->SetOn(visible);
}

void CToolbarWindow::Toggle(EToolWindow id)
{
    CToolWindow* window = Window(id);
    const bool show = !window->isVisible();
    window->setVisible(show);
    if (show)
    {
        window->raise();
        if (m_autodock->isChecked())
            Dock(id);
        return;
    }
    if (!m_autodock->isChecked())
        return;
    // Hiding the lead of a pair docks its partner in its place.
    if (id == EToolWindow::Order && IsShown(EToolWindow::Reports))
        Dock(EToolWindow::Reports, true);
    else if (id == EToolWindow::Formulae && IsShown(EToolWindow::Techniques))
        Dock(EToolWindow::Techniques, true);
}

void CToolbarWindow::ShowWindow(EToolWindow id)
{
    CToolWindow* window = Window(id);
    const bool wasShown = window->isVisible();
    window->show();
    window->raise();
    window->activateWindow();
    if (!wasShown && m_autodock->isChecked())
        Dock(id);
    if (id == EToolWindow::Reports)
        window->GenerateCurrentReport();
}

CDockRect CToolbarWindow::WorkArea() const
{
    if (m_workAreaOverride)
        return *m_workAreaOverride;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? ToDock(screen->availableGeometry()) : CDockRect{0, 0, 1024, 768};
}

std::array<CDockRect, ToolWindowCount> CToolbarWindow::ToolRects()
{
    std::array<CDockRect, ToolWindowCount> rects{};
    for (int i = 0; i < ToolWindowCount; ++i)
        if (CToolWindow* window = m_windows[i])
        {
            // Sized as showing it would size it.
            if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized))
                window->adjustSize();
            rects[i] = ToDock(FrameRect(window));
        }
    return rects;
}

void CToolbarWindow::MoveTool(EToolWindow id, int x, int y)
{
    if (CToolWindow* window = ExistingWindow(id))
        MoveFrame(window, QPoint(x, y));
}

void CToolbarWindow::Dock(EToolWindow id, bool alone)
{
    if (WindowsPlacedBySystem())
        return;
    // The windows must exist for their sizes to be known.
    Window(id);
    if (const auto partner = DockPartner(id); partner && !alone && WorkArea().w > PairingMinWidth)
        Window(*partner);
    const auto plan = PlanDock(id, ToDock(FrameRect(this)), IsVertical(), WorkArea(), ToolRects(), alone);
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto other = static_cast<EToolWindow>(i);
        const bool planned = std::any_of(plan.begin(), plan.end(), [other](const CDockPlacement& p) { return p.window == other; });
        if (!planned)
            if (CToolWindow* window = ExistingWindow(other))
                window->hide();
    }
    for (const CDockPlacement& placement : plan)
    {
        CToolWindow* window = Window(placement.window);
        PlaceDocked(window, placement);
        window->show();
    }
    m_docked = plan.front().window;
}

void CToolbarWindow::PlaceDocked(CToolWindow* window, const CDockPlacement& placement)
{
    const CDockRect r = placement.Rect();
    const QRect frame(r.x, r.y, r.w, r.h);
    const QRect now = FrameRect(window);
    if (frame == now)
        return;
    // Only moved while its size fits; sized only when the work area has less room.
    if (frame.size() == now.size())
        MoveFrame(window, frame.topLeft());
    else
        SetFrameRect(window, frame);
}

void CToolbarWindow::FollowDock()
{
    // Planned again from where the toolbar is now, so the windows stay on the screen and off
    // the toolbar; only windows already shown move, and a partner with no room left goes.
    const std::optional<EToolWindow> partner = DockPartner(*m_docked);
    const bool alone = !partner || !IsShown(*partner);
    const auto plan = PlanDock(*m_docked, ToDock(FrameRect(this)), IsVertical(), WorkArea(), ToolRects(), alone);
    if (!alone && std::none_of(plan.begin(), plan.end(), [&partner](const CDockPlacement& p) { return p.window == *partner; }))
        ExistingWindow(*partner)->hide();
    for (const CDockPlacement& placement : plan)
    {
        CToolWindow* window = ExistingWindow(placement.window);
        if (!window || !window->isVisible())
            continue;
        PlaceDocked(window, placement);
    }
    if (!plan.empty() && plan.front().window != *m_docked && IsShown(plan.front().window))
        m_docked = plan.front().window;
}

void CToolbarWindow::SetAutodock(bool on)
{
    if (m_autodock->isChecked() != on)
    {
        m_autodock->setChecked(on); // comes back here through toggled
        return;
    }
    m_app.Settings().DockingMode = on;
    if (!on)
    {
        m_docked.reset();
        for (int i = 0; i < ToolWindowCount; ++i)
        {
            const auto id = static_cast<EToolWindow>(i);
            if (CToolWindow* window = ExistingWindow(id))
                window->RestorePosition();
            else if (StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
                Window(id)->RestorePosition();
        }
        return;
    }
    std::array<bool, ToolWindowCount> visible{};
    for (int i = 0; i < ToolWindowCount; ++i)
        visible[i] = IsShown(static_cast<EToolWindow>(i));
    if (const auto first = FirstToDock(visible))
        Dock(*first);
}

void CToolbarWindow::SetAlwaysOnTop(bool onTop)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show();
    m_onTopAction->setChecked(onTop);
}

void CToolbarWindow::FollowToolbar(int dx, int dy)
{
    if (m_docked && IsShown(*m_docked))
    {
        FollowDock();
        return;
    }
    if (!m_app.Settings().DragWithToolbar)
        return;
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (IsShown(id))
        {
            const QPoint at = FrameRect(ExistingWindow(id)).topLeft();
            MoveTool(id, at.x() + dx, at.y() + dy);
        }
    }
}

void CToolbarWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // The move this handler makes to snap is finished below, by the call that made it.
    if (m_snapping)
        return;
    if (isVisible())
        SettleFrame(this);
    if (!isVisible())
    {
        m_lastPosition = FrameRect(this).topLeft();
        m_positionKnown = true;
        return;
    }
    CDockRect rect = ToDock(FrameRect(this));
    CDockPoint snapped = SnapToWorkArea(rect, WorkArea(), m_app.Settings().StickyStrength);
    const bool docked = m_docked && IsShown(*m_docked);
    if (!docked && !m_app.Settings().DragWithToolbar && snapped == CDockPoint{rect.x, rect.y})
    {
        std::vector<CDockRect> others;
        for (int i = 0; i < ToolWindowCount; ++i)
            if (IsShown(static_cast<EToolWindow>(i)))
                others.push_back(ToDock(FrameRect(m_windows[i])));
        snapped = SnapToWindows(rect, others);
    }
    if (snapped.x != rect.x || snapped.y != rect.y)
    {
        m_snapping = true;
        MoveFrame(this, QPoint(snapped.x, snapped.y));
        m_snapping = false;
    }
    const QPoint now = FrameRect(this).topLeft();
    if (m_positionKnown && now != m_lastPosition)
        FollowToolbar(now.x() - m_lastPosition.x(), now.y() - m_lastPosition.y());
    m_lastPosition = now;
    m_positionKnown = true;
}

void CToolbarWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window manager's frame is known when the toolbar is exposed.
    if (QWindow* handle = windowHandle())
    {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

bool CToolbarWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() &&
        SettleFrame(this) && m_docked && IsShown(*m_docked))
        FollowDock();
    return QMainWindow::eventFilter(watched, event);
}

void CToolbarWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
    {
        for (int i = 0; i < ToolWindowCount; ++i)
        {
            m_shownBeforeMinimise[i] = IsShown(static_cast<EToolWindow>(i));
            if (m_windows[i])
                m_windows[i]->hide();
        }
        return;
    }
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        if (m_shownBeforeMinimise[i] && m_windows[i])
        {
            m_windows[i]->show();
            m_windows[i]->raise();
        }
        m_shownBeforeMinimise[i] = false;
    }
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
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (ExistingWindow(id) || StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
            Window(id)->RestorePosition();
    }
}

void CToolbarWindow::RecacheDatabase()
{
    if (!CMessageBox::AskYesNo(this, Qs(Messages::RecacheQuestion), CMessageBox::EIcon::Question) ||
        !OrderCommands::SaveChangesFirst(m_app, this))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CProgressWindow progress(this);
    m_app.Recache(&progress);
    QApplication::restoreOverrideCursor();
}

void CToolbarWindow::RefreshTheme()
{
    m_app.ReloadTheme();
    ApplyThemeColours(true);
}

void CToolbarWindow::ApplyThemeColours(bool redraw)
{
    const CTheme& theme = m_app.Theme();
    ApplyThemePalette(theme);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_BG")));
    pal.setColor(QPalette::WindowText, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_FG")));
    pal.setColor(QPalette::Text, ColourFromTheme(theme.ThemeColour("DIALOGCOLOUR_FG")));
    pal.setColor(QPalette::Base, ColourFromTheme(theme.ThemeColour("TREE_BACKCOLOUR")));
    setPalette(pal);
    menuBar()->setPalette(pal);
    const QColor on = ColourFromTheme(theme.ThemeColour("BUTTONCOLOUR_ON"));
    const QColor off = ColourFromTheme(theme.ThemeColour("BUTTONCOLOUR_OFF"));
    for (CToggleButton* button : m_buttons)
        button->SetColours(on, off);
    m_updateButton->SetColours(on, off);
    m_wizardButton->SetColours(on, off);
    if (!redraw)
        return;
    update();
    for (CToolWindow* window : m_windows)
        if (window)
            window->ApplyTheme();
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
    RefreshWizardButton();
    if (!m_wizardAction->isEnabled())
        return;
    OrderCommands::NewOrderFromTemplate(m_app, this);
}

void CToolbarWindow::RefreshWizardButton()
{
    const auto* formulae = qobject_cast<const CFormulaWindow*>(ExistingWindow(EToolWindow::Formulae));
    const bool enabled = !formulae || !formulae->Working().inOrder;
    m_wizardButton->setEnabled(enabled);
    m_wizardAction->setEnabled(enabled);
}

void CToolbarWindow::RefreshEditActions()
{
    const COrderHistory& history = m_app.History();
    m_undoAction->setText(Qs(history.UndoText()));
    m_redoAction->setText(Qs(history.RedoText()));
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
        m_recentMenu->addAction(Qs(Messages::MenuNoRecentOrders))->setEnabled(false);
}

void CToolbarWindow::closeEvent(QCloseEvent* event)
{
    if (m_closing)
    {
        event->accept();
        return;
    }
    // An unsaved order is offered for saving first; Cancel keeps the program running.
    if (!OrderCommands::SaveChangesFirst(m_app, this))
    {
        event->ignore();
        return;
    }
    m_closing = true;
    m_hotkeys->Unregister();
    // The toolbar opens again where it was left.
    SaveWindowPlacement(m_app, WindowNames::Toolbar, this, true);
    m_app.Order().PruneAcquired(m_app.Database());
    m_app.Session().SaveSettings();
    // Later, not at once: Exit may come from a key pressed in one of them.
    for (QPointer<CToolWindow>& window : m_windows)
    {
        if (window)
        {
            window->hide();
            window->deleteLater();
        }
        window = nullptr;
    }
    event->accept();
    QCoreApplication::quit();
}
