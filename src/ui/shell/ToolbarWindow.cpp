#include "ui/shell/ToolbarWindow.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/Placement.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/PricesWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/GlobalHotkeys.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ThemePalette.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QWindow>

namespace
{
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

QFont LabelFont(bool underline)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    font.setUnderline(underline);
    return font;
}
} // namespace

Qt::Key CToolbarWindow::ButtonKey(int index)
{
    return Buttons[static_cast<std::size_t>(index)].key;
}

CToolbarWindow::CToolbarWindow(CAppContext& app) : QMainWindow(nullptr), m_app(app)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    BuildControls();
    BuildMenus();
    m_hotkeys = new CGlobalHotkeys(this);
    m_dialogs = new CDialogPlacer(this);
    connect(m_hotkeys, &CGlobalHotkeys::Triggered, this, &CToolbarWindow::OnHotkey);
    connect(&m_app.Bus(), &CWindowBus::OrderChanged, this,
            [this]
            {
                for (CToolWindow* window : m_windows)
                    if (window)
                        window->OrderChanged();
                RefreshEditActions();
            });
    m_app.onDatabaseLoaded = [this]
    {
        for (CToolWindow* window : m_windows)
            if (window)
                window->DatabaseReloaded();
        RefreshRevision();
    };
    m_app.onApplyTheme = [this](bool redraw) { ApplyThemeColours(redraw); };
    connect(&m_app.Bus(), &CWindowBus::WindowNeeded, this, [this](EToolWindow id) { Window(id); });
    connect(&m_app.Bus(), &CWindowBus::ShowWindowRequested, this, &CToolbarWindow::ShowWindow);
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
    if (m_overridesWorkArea)
        ::SetWorkAreaOverride(std::nullopt);
    disconnect(&m_app.Bus(), nullptr, this, nullptr);
    m_app.onDatabaseLoaded = nullptr;
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
    m_versionLabel->setTextFormat(Qt::PlainText);
    m_dbLabel = new QLabel(m_versionFrame);
    m_dbLabel->setTextFormat(Qt::PlainText);
    m_versionLabel->setAlignment(Qt::AlignCenter);
    m_dbLabel->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(m_versionFrame);
    frameLayout->setContentsMargins(2, 1, 2, 1);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(m_versionLabel);
    frameLayout->addWidget(m_dbLabel);

    m_ordersLabel = new QLabel(Tr(Messages::LabelOrders), client);
    m_databaseLabel = new QLabel(Tr(Messages::LabelDatabase), client);
    m_onlineLabel = new QLabel(Tr(Messages::LabelOnline), client);
    for (QLabel* label : {m_ordersLabel, m_databaseLabel, m_onlineLabel})
        label->setFont(LabelFont(true));
    m_versionLabel->setFont(LabelFont(false));
    m_dbLabel->setFont(LabelFont(false));

    for (int i = 0; i < ToolWindowCount; ++i)
    {
        m_buttons[i] = new CToggleButton(Tr(Buttons[i].text), Tr(Buttons[i].tip), client);
        const auto id = static_cast<EToolWindow>(i);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, id] { Toggle(id); });
    }
    // With Autodock on the Formula Database hides the order window: its button takes the
    // formulae dragged onto it instead.
    Button(EToolWindow::Order)->setAcceptDrops(true);
    Button(EToolWindow::Order)->installEventFilter(this);
    m_updateButton = new CToggleButton(Tr(Messages::ButtonLiveUpdate), Tr(Messages::TipLiveUpdate), client);
    connect(m_updateButton, &QPushButton::clicked, this, &CToolbarWindow::LiveUpdate);
    m_wizardButton = new CToggleButton(Tr(Messages::ButtonWizard), Tr(Messages::TipWizard), client);
    connect(m_wizardButton, &QPushButton::clicked, this, &CToolbarWindow::NewOrderFromTemplate);
    m_pricesButton = new CToggleButton(Tr(Messages::ButtonPrices), Tr(Messages::TipPrices), client);
    connect(m_pricesButton, &QPushButton::clicked, this, [this] { CPricesWindow::Open(m_app, this); });

    m_autodock = new QCheckBox(Tr(Messages::Autodock), client);
    m_autodock->setChecked(m_app.Settings().DockingMode);
    if (WindowsPlacedBySystem())
    {
        m_autodock->setEnabled(false);
        m_autodock->setToolTip(Tr(Messages::AboutNoDocking).trimmed());
    }
    connect(m_autodock, &QCheckBox::toggled, this, &CToolbarWindow::SetAutodock);
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
    width = std::max(width, m_pricesButton->sizeHint().width());
    const int height = vertical ? VerticalButtonHeight : HorizontalButtonHeight;
    for (CToggleButton* button : m_buttons)
        button->setFixedSize(width, height);
    m_updateButton->setFixedSize(width, height);
    m_wizardButton->setFixedSize(width, height);
    m_pricesButton->setFixedSize(width, height);
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
        grid->addWidget(m_pricesButton, row++, 0);
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
        grid->addWidget(m_pricesButton, 3, 1);
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
    // Another shape: still seen whole, and clear of the dialogs.
    if (isVisible())
    {
        KeepInWorkArea(this, true);
        m_dialogs->KeepOffToolbar();
    }
    if (m_docked && IsShown(*m_docked) && m_autodock->isChecked())
        Dock(*m_docked);
}

void CToolbarWindow::RefreshRevision()
{
    const std::string& revision = m_app.Settings().DatabaseRevision;
    const std::string version = TrBytes(Messages::CaptionVersion1) + std::string(MoxaVersion);
    if (IsVertical())
        setWindowTitle(Tr(Messages::ToolbarCaption));
    else
        setWindowTitle(Qs(version + TrBytes(Messages::CaptionRevision1) + revision +
                          std::string(Messages::CaptionRevision2)));
    m_versionLabel->setText(Qs(version));
    m_dbLabel->setText(revision.empty() ? Tr(Messages::DatabaseLabelDefault)
                                        : Qs(TrBytes(Messages::DatabaseLabel1) + revision));
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
    m_restoring = true;
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
            Window(id)->RestorePosition();
    }
    m_restoring = false;
    m_placeAgain.reset();
    if (m_app.Settings().DockingMode)
        DockFirstShown();
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
        connect(slot, &CToolWindow::VisibilityChanged, this, &CToolbarWindow::OnWindowVisibility);
        connect(slot, &CToolWindow::PlaceWanted, this, &CToolbarWindow::PlaceAgain);
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
    // The lead of a pair hidden (by its button or its close box): its partner docks in its
    // place.
    if (!visible && !m_placing && !m_closing && isVisible() && !isMinimized() && m_autodock->isChecked() &&
        m_docked == id)
        if (const auto partner = DockPartner(id); partner && IsShown(*partner))
            Dock(*partner, true);
}

void CToolbarWindow::Toggle(EToolWindow id)
{
    CToolWindow* window = Window(id);
    const bool show = !window->isVisible();
    if (show && !m_autodock->isChecked())
        PlaceUndocked(id);
    window->setVisible(show);
    if (!show)
        return;
    window->raise();
    if (m_autodock->isChecked())
        Dock(id);
    else
        KeepInWorkArea(window);
}

void CToolbarWindow::ShowWindow(EToolWindow id)
{
    CToolWindow* window = Window(id);
    const bool wasShown = window->isVisible();
    if (!wasShown && !m_autodock->isChecked())
        PlaceUndocked(id);
    window->show();
    window->raise();
    window->activateWindow();
    if (!wasShown && m_autodock->isChecked())
        Dock(id);
    else if (!wasShown)
        KeepInWorkArea(window);
    if (id == EToolWindow::Reports)
        window->GenerateCurrentReport();
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
    m_pricesButton->SetColours(on, off);
    if (!redraw)
        return;
    update();
    for (CToolWindow* window : m_windows)
        if (window)
            window->ApplyTheme();
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
    // The toolbar opens again where it was left.
    SaveWindowPlacement(m_app, WindowNames::Toolbar, this, true);
    m_app.Order().PruneAcquired(m_app.Database());
    // A profile or the settings that could not be saved keep the program running too.
    if (!m_app.Session().SaveForExit())
    {
        event->ignore();
        return;
    }
    m_closing = true;
    m_hotkeys->Unregister();
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
