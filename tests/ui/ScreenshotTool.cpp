// Takes the README's screenshots: the toolbar with the order and reports windows docked and
// the formula window beside them, on a copy of the sample data folder, in one theme.
// Usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG
#include "app/SettingsStore.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/Application.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG\n");
        return 2;
    }
    RegisterOrderWindows();
    CAppContext app(argv[1], std::make_unique<CMemorySettingsStore>());
    app.Start(nullptr);
    app.Settings().CurrentTheme = argv[2];
    app.ReloadTheme();
    app.Settings().GlobalHotkeys = false;
    app.Order().Read(std::filesystem::path(argv[1]) / "Orders/example_order.xml", app.Database());

    CToolbarWindow toolbar(app);
    toolbar.Initialise();
    toolbar.move(10, 10);
    toolbar.ApplyThemeColours(true);
    toolbar.Toggle(EToolWindow::Order);
    CToolWindow* reports = toolbar.Window(EToolWindow::Reports);
    reports->GenerateCurrentReport();
    toolbar.ApplyThemeColours(true);
    const QString output = QString::fromLocal8Bit(argv[3]);
    QTimer::singleShot(1500, [&]
    {
        QApplication::primaryScreen()->grabWindow(0).save(output);
        application.quit();
    });
    return QApplication::exec();
}
