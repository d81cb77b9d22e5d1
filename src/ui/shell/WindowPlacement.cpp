#include "ui/shell/WindowPlacement.h"

#include "ui/shell/AppContext.h"

#include <QGuiApplication>
#include <QWidget>

void SaveWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool created)
{
    CPlacement& record = app.placements.Get(name);
    record.created = created;
    if (window)
    {
        const QRect frame = window->frameGeometry();
        record.x = frame.x();
        record.y = frame.y();
        record.w = frame.width();
        record.h = frame.height();
        record.visible = window->isVisible();
        record.topmost = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }
    app.placements.Save(app.Store(), name);
    app.Store().Flush();
}

bool RestoreWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool toolbar)
{
    if (!app.placements.Restore(app.Store(), name))
        return false;
    const CPlacement& record = app.placements.Get(name);
    if (!window)
        return true;
    if (WindowsPlacedBySystem())
    {
        if (!toolbar)
            window->setVisible(record.visible);
        return true;
    }
    if (toolbar)
    {
        if (record.x != -1 && record.y != -1)
            window->move(record.x, record.y);
        return true;
    }
    if (record.w != -1)
    {
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != record.topmost)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, record.topmost);
        window->move(record.x, record.y);
        // The record holds the frame; the window is sized without it.
        const QSize decoration = window->frameGeometry().size() - window->geometry().size();
        window->resize(std::max(record.w - decoration.width(), 1), std::max(record.h - decoration.height(), 1));
    }
    window->setVisible(record.visible);
    return true;
}

std::optional<bool> StoredVisibility(CAppContext& app, std::string_view name)
{
    if (!app.placements.Restore(app.Store(), name))
        return std::nullopt;
    return app.placements.Get(name).visible;
}

bool WindowsPlacedBySystem()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}
