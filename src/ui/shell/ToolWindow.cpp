#include "ui/shell/ToolWindow.h"

#include "base/Messages.h"
#include "database/Links.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/shell/WindowPlacement.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QWindow>

#include <array>

namespace
{
std::array<ToolWindowFactory, ToolWindowCount>& Factories()
{
    static std::array<ToolWindowFactory, ToolWindowCount> factories;
    return factories;
}

const char* CaptionOf(EToolWindow id)
{
    switch (id)
    {
    case EToolWindow::Order: return QT_TRANSLATE_NOOP("CToolWindow", "Orders");
    case EToolWindow::Reports: return QT_TRANSLATE_NOOP("CToolWindow", "Reports");
    case EToolWindow::Formulae: return QT_TRANSLATE_NOOP("CToolWindow", "Formula Database");
    case EToolWindow::Techniques: return QT_TRANSLATE_NOOP("CToolWindow", "Technique Database");
    case EToolWindow::Components: return QT_TRANSLATE_NOOP("CToolWindow", "Component Database");
    case EToolWindow::Profiles: return QT_TRANSLATE_NOOP("CToolWindow", "Profile Manager");
    }
    return "";
}
} // namespace

CToolWindow::CToolWindow(CAppContext& app, EToolWindow id, std::string placementName, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_app(app), m_id(id), m_placementName(std::move(placementName))
{
    setWindowTitle(tr(CaptionOf(id)));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_playerResize.setSingleShot(true);
    m_playerResize.setInterval(250);
    connect(&m_playerResize, &QTimer::timeout, this,
            [this]
            {
                if (isVisible())
                    Q_EMIT PlaceWanted(m_id);
            });
}

bool CToolWindow::IsAlwaysOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void CToolWindow::SetAlwaysOnTop(bool onTop)
{
    if (IsAlwaysOnTop() == onTop)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags hides a window; put it back as it was.
    if (visible)
        show();
    if (m_onTopAction)
        m_onTopAction->setChecked(onTop);
}

void CToolWindow::RememberPosition()
{
    SaveWindowPlacement(m_app, m_placementName, this, true);
}

void CToolWindow::RestorePosition()
{
    if (!RestoreWindowPlacement(m_app, m_placementName, this))
        return;
    // A remembered size is the player's choice.
    if (const CPlacement* record = m_app.placements.Find(m_placementName); record && record->w != -1)
    {
        m_wanted = size();
        m_sizedByPlayer = true;
    }
    if (isVisible())
        Q_EMIT PlaceWanted(m_id);
}

QSize CToolWindow::ContentMinimum() const
{
    QSize needed = QMainWindow::minimumSizeHint();
    if (const QWidget* content = m_scroll ? m_scroll->widget() : nullptr)
    {
        needed = content->minimumSizeHint().expandedTo(QSize(0, 0));
        if (content->minimumWidth() > 0)
            needed.setWidth(content->minimumWidth());
        if (content->minimumHeight() > 0)
            needed.setHeight(content->minimumHeight());
        if (menuWidget() && !menuWidget()->isHidden())
            needed.rheight() += menuWidget()->sizeHint().height();
    }
    // Every menu shown, and the caption in its title bar.
    if (menuWidget() && !menuWidget()->isHidden())
        needed.setWidth(std::max(needed.width(), menuWidget()->sizeHint().width()));
    return needed.expandedTo(QSize(CaptionWidth(this), 0)).expandedTo(m_declaredMinimum);
}

void CToolWindow::WrapContent()
{
    QWidget* content = centralWidget();
    if (!content || m_scroll)
        return;
    m_declaredMinimum = minimumSize();
    takeCentralWidget();
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls, not to the frame round them
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(content);
    setCentralWidget(m_scroll);
    // The least size the window asked for still fits the screen.
    setMinimumSize(minimumSize().boundedTo(WorkAreaOf(this).size().shrunkBy(FrameMarginsOf(this))));
}

void CToolWindow::FitContent()
{
    const QSize needed = ContentMinimum();
    const bool grew = needed.width() > m_contentMinimum.width() || needed.height() > m_contentMinimum.height();
    m_contentMinimum = needed;
    if (m_wanted.isValid())
        m_wanted = m_wanted.expandedTo(needed);
    // Only content that grows grows the window: one a dock or the player made smaller scrolls.
    if (!grew || (width() >= needed.width() && height() >= needed.height()))
        return;
    const QRect area = WorkAreaOf(this);
    const QMargins margins = FrameMarginsOf(this);
    const QSize client = size().expandedTo(needed).boundedTo(area.size().shrunkBy(margins));
    if (!isVisible())
    {
        resize(client);
        return;
    }
    QRect frame = FrameRect(this);
    frame.setSize(client.grownBy(margins));
    SetFrameRect(this, FromDock(ClampInto(ToDock(frame), ToDock(area))));
    Q_EMIT PlaceWanted(m_id);
}

CDockSize CToolWindow::DockSize()
{
    ensurePolished();
    // Measured for the dock, which gives the content its room (or cuts it): the window does
    // not grow again until the content does.
    m_contentMinimum = ContentMinimum();
    m_wanted = (m_wanted.isValid() ? m_wanted : size()).expandedTo(m_contentMinimum);
    const QMargins margins = FrameMarginsOf(this);
    const QSize wanted = m_wanted.grownBy(margins);
    const QSize least = m_contentMinimum.grownBy(margins);
    return {wanted.width(), wanted.height(), least.width(), least.height(), !m_sizedByPlayer};
}

void CToolWindow::LetShrinkTo(const QSize& frame)
{
    setMinimumSize(minimumSize().boundedTo(frame.shrunkBy(FrameMarginsOf(this))));
}

void CToolWindow::ApplyTheme()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColourFromTheme(m_app.Theme().ThemeColour("DIALOGCOLOUR_BG")));
    pal.setColor(QPalette::WindowText, ColourFromTheme(m_app.Theme().ThemeColour("DIALOGCOLOUR_FG")));
    setPalette(pal);
    update();
}

void CToolWindow::AddStandardMenus(const std::string& helpText, const std::string& helpLink)
{
    QMenu* window = menuBar()->addMenu(Tr(Messages::MenuWindow));
    m_onTopAction = window->addAction(Tr(Messages::MenuAlwaysOnTop));
    m_onTopAction->setCheckable(true);
    connect(m_onTopAction, &QAction::triggered, this, [this](bool on) { SetAlwaysOnTop(on); });
    connect(window->addAction(Tr(Messages::MenuRememberPosition)), &QAction::triggered, this,
            [this] { RememberPosition(); });
    connect(window->addAction(Tr(Messages::MenuRestorePosition)), &QAction::triggered, this,
            [this] { RestorePosition(); });
    if (!helpText.empty())
    {
        QMenu* help = menuBar()->addMenu(Tr(Messages::MenuHelp));
        connect(help->addAction(Tr(helpText)), &QAction::triggered, this,
                [this, helpLink] { OpenHelpLink(m_app, helpLink); });
    }
}

bool CToolWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Polish)
        WrapContent();
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show ||
        event->type() == QEvent::WindowTitleChange)
        FitContent();
    return handled;
}

void CToolWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void CToolWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window manager's frame is known when the window is exposed.
    if (QWindow* handle = windowHandle())
    {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
    if (m_onTopAction)
        m_onTopAction->setChecked(IsAlwaysOnTop());
    Q_EMIT VisibilityChanged(m_id, true);
}

bool CToolWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() &&
        SettleFrame(this))
        Q_EMIT PlaceWanted(m_id);
    return QMainWindow::eventFilter(watched, event);
}

// The frame may become known with the window manager's first move of the window instead.
void CToolWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (isVisible() && SettleFrame(this))
        Q_EMIT PlaceWanted(m_id);
}

void CToolWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!event->spontaneous())
        NoteSizeAsked(this, event->size());
    if (!isVisible())
        return;
    if (SettleFrame(this))
        Q_EMIT PlaceWanted(m_id);
    else if (event->spontaneous() && event->size() != event->oldSize() && !SizeAsked(this, event->size()))
    {
        // Not a size the program asked for: the player's, kept from now on.
        m_wanted = event->size();
        m_sizedByPlayer = true;
        m_playerResize.start();
    }
}

void CToolWindow::hideEvent(QHideEvent* event)
{
    QMainWindow::hideEvent(event);
    Q_EMIT VisibilityChanged(m_id, false);
}

void RegisterToolWindowFactory(EToolWindow id, ToolWindowFactory factory)
{
    Factories()[static_cast<int>(id)] = std::move(factory);
}

CToolWindow* CreateToolWindow(EToolWindow id, CAppContext& app, QWidget* parent)
{
    const ToolWindowFactory& factory = Factories()[static_cast<int>(id)];
    if (factory)
        return factory(app, parent);
    auto* window = new CToolWindow(app, id, PlacementNameOf(id), parent);
    window->resize(320, 300);
    return window;
}

const char* PlacementNameOf(EToolWindow id)
{
    switch (id)
    {
    case EToolWindow::Order: return "OrderWnd";
    case EToolWindow::Reports: return "ReportWnd";
    case EToolWindow::Formulae: return "ItemCreationWnd";
    case EToolWindow::Techniques: return "TechSelectionWnd";
    case EToolWindow::Components: return "ComponentWnd";
    case EToolWindow::Profiles: return "ProfileWnd";
    }
    return "";
}

void OpenHelpLink(CAppContext& app, const std::string& key)
{
    OpenLink(app.Database(), key, app.Links(), app.Prompter());
}
