// Takes the README's screenshots on a copy of the sample data folder, in one theme: the
// toolbar with the order and reports windows docked ("orders"), or with the formula browser
// docked and a formula selected ("formulae"), or with one of the other browsers open
// ("techniques" over the selected formula, "components", "profiles"), or one of the order
// wizard's pages ("wizard-who", "wizard-what", "wizard-how").
// Usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG [orders|formulae|techniques|components|profiles|wizard-*]
#include "app/SettingsStore.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/order/ReportsWindow.h"
#include "ui/order/WizardDialog.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/Application.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const std::string mode = argc == 5 ? argv[4] : "orders";
    const bool known = mode == "orders" || mode == "formulae" || mode == "techniques" || mode == "components" ||
                       mode == "profiles" || mode == "wizard-who" || mode == "wizard-what" || mode == "wizard-how";
    if ((argc != 4 && argc != 5) || !known)
    {
        std::fprintf(stderr, "usage: moxa-screenshots DATA_FOLDER THEME_FILE OUTPUT_PNG "
                             "[orders|formulae|techniques|components|profiles|wizard-who|wizard-what|wizard-how]\n");
        return 2;
    }
    RegisterOrderWindows();
    CAppContext app(argv[1], std::make_unique<CMemorySettingsStore>());
    app.Start(nullptr);
    app.Settings().CurrentTheme = argv[2];
    app.ReloadTheme();
    app.Settings().GlobalHotkeys = false;
    if (std::getenv("MOXA_SCREENSHOT_HORIZONTAL"))
        app.Settings().VerticalToolbar = false;
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
    else if (mode.rfind("wizard", 0) == 0)
    {
        app.Profiles().current = app.Profiles().Find("Ysolde", "Local");
        auto* wizard = new CWizardDialog(app, &toolbar);
        wizard->move(150, 10);
        wizard->show();
        if (mode != "wizard-who")
            wizard->next();
        if (mode == "wizard-how")
        {
            wizard->next();
            QTreeWidget* techniques = wizard->TechniqueTree();
            if (techniques->topLevelItemCount() > 0 && techniques->topLevelItem(0)->childCount() > 0)
                techniques->topLevelItem(0)->child(0)->setCheckState(0, Qt::Checked);
        }
    }
    else
    {
        toolbar.Toggle(EToolWindow::Order);
        CToolWindow* reports = toolbar.Window(EToolWindow::Reports);
        reports->GenerateCurrentReport();
    }
    toolbar.ApplyThemeColours(true);
    const QString output = QString::fromLocal8Bit(argv[3]);
    // Docked again once the window manager has framed the toolbar: docking goes by the frame.
    QTimer::singleShot(700, [&]
    {
        if (const auto docked = toolbar.Docked())
            toolbar.Dock(*docked);
    });
    QTimer::singleShot(1500, [&]
    {
        const bool saved = QApplication::primaryScreen()->grabWindow(0).save(output);
        // Leave without the shutdown sequence: its questions would wait for a person.
        std::fflush(nullptr);
        std::_Exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
