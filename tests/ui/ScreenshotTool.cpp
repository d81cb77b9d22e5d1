// Takes the README's screenshots on a copy of the sample data folder, in one theme: the
// toolbar with the order and reports windows docked ("orders"), or with the formula browser
// docked and a formula selected ("formulae"), or with one of the other browsers open
// ("techniques" over the selected formula, "components", "profiles").
// Usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG [orders|formulae|techniques|components|profiles]
#include "app/SettingsStore.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/widgets/ThemedTree.h"
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
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::string mode = argc == 5 ? argv[4] : "orders";
    const bool known = mode == "orders" || mode == "formulae" || mode == "techniques" || mode == "components" ||
                       mode == "profiles";
    if ((argc != 4 && argc != 5) || !known)
    {
        std::fprintf(stderr, "usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG "
                             "[orders|formulae|techniques|components|profiles]\n");
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
    if (mode == "formulae" || mode == "techniques")
    {
        toolbar.Toggle(EToolWindow::Formulae);
        auto* window = static_cast<CFormulaWindow*>(toolbar.Window(EToolWindow::Formulae));
        window->ApplyNameFilter("longblade");
        if (window->Tree()->topLevelItemCount() > 0 && window->Tree()->topLevelItem(0)->childCount() > 0)
            window->Tree()->setCurrentItem(window->Tree()->topLevelItem(0)->child(0));
        if (mode == "techniques")
            toolbar.Toggle(EToolWindow::Techniques);
    }
    else if (mode == "components")
        toolbar.Toggle(EToolWindow::Components);
    else if (mode == "profiles")
        toolbar.Toggle(EToolWindow::Profiles);
    else
    {
        toolbar.Toggle(EToolWindow::Order);
        CToolWindow* reports = toolbar.Window(EToolWindow::Reports);
        reports->GenerateCurrentReport();
    }
    toolbar.ApplyThemeColours(true);
    const QString output = QString::fromLocal8Bit(argv[3]);
    QTimer::singleShot(1500, [&]
    {
        const bool saved = QApplication::primaryScreen()->grabWindow(0).save(output);
        // Leave without the shutdown sequence: its questions would wait for a person.
        std::fflush(nullptr);
        std::_Exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
