#include "ui/shell/ToolWindow.h"

#include "base/Messages.h"
#include "database/Links.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/shell/WindowPlacement.h"

#include <QCloseEvent>
#include <QMenuBar>
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
    case EToolWindow::Order: return "Orders";
    case EToolWindow::Reports: return "Reports";
    case EToolWindow::Formulae: return "Formula Database";
    case EToolWindow::Techniques: return "Technique Database";
    case EToolWindow::Components: return "Component Database";
    case EToolWindow::Profiles: return "Profile Manager";
    }
    return "";
}
} // namespace

CToolWindow::CToolWindow(CAppContext& app, EToolWindow id, std::string placementName, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_app(app), m_id(id), m_placementName(std::move(placementName))
{
    setWindowTitle(QString::fromLatin1(CaptionOf(id)));
    setAttribute(Qt::WA_DeleteOnClose, false);
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
    RestoreWindowPlacement(m_app, m_placementName, this);
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
    QMenu* window = menuBar()->addMenu(Qs(Messages::MenuWindow));
    m_onTopAction = window->addAction(Qs(Messages::MenuAlwaysOnTop));
    m_onTopAction->setCheckable(true);
    connect(m_onTopAction, &QAction::triggered, this, [this](bool on) { SetAlwaysOnTop(on); });
    connect(window->addAction(Qs(Messages::MenuRememberPosition)), &QAction::triggered, this,
            [this] { RememberPosition(); });
    connect(window->addAction(Qs(Messages::MenuRestorePosition)), &QAction::triggered, this,
            [this] { RestorePosition(); });
    if (!helpText.empty())
    {
        QMenu* help = menuBar()->addMenu(Qs(Messages::MenuHelp));
        connect(help->addAction(Qs(helpText)), &QAction::triggered, this,
                [this, helpLink] { OpenHelpLink(m_app, helpLink); });
    }
}

bool CToolWindow::event(QEvent* event)
{
    const bool handled = QMainWindow::event(event);
    // Never smaller than the controls need: texts that grow (counts, captions) widen the window
    // instead of being cut.
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show ||
        event->type() == QEvent::WindowTitleChange)
    {
        // Room for the caption too (in the title bar's bold face, beside the frame's buttons),
        // up to a limit: an order's caption is its file's path.
        QFont title = font();
        title.setBold(true);
        const int caption = std::min(QFontMetrics(title).horizontalAdvance(windowTitle()) + 110, 600);
        const QSize needed = size().expandedTo(minimumSizeHint()).expandedTo(QSize(caption, 0));
        if (needed != size())
            resize(needed);
    }
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
        Q_EMIT FrameSettled(m_id);
    return QMainWindow::eventFilter(watched, event);
}

// The frame may become known with the window manager's first move of the window instead.
void CToolWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (isVisible() && SettleFrame(this))
        Q_EMIT FrameSettled(m_id);
}

void CToolWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isVisible() && SettleFrame(this))
        Q_EMIT FrameSettled(m_id);
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
