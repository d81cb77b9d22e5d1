#include "ui/MainWindows.h"

#include "base/DataPaths.h"
#include "platform/QtSettingsStore.h"
#include "ui/browsers/ComponentWindow.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/browsers/ProfileWindow.h"
#include "ui/browsers/TechniqueWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/AppStyle.h"
#include "ui/shell/Application.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/StartupProbe.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/update/UpdateDialog.h"

#include <QApplication>

#include <cstdio>
#include <memory>

void RegisterOrderWindows()
{
    RegisterToolWindowFactory(EToolWindow::Order,
                              [](CAppContext& app, QWidget* parent) { return new COrderWindow(app, parent); });
    RegisterToolWindowFactory(EToolWindow::Reports,
                              [](CAppContext& app, QWidget* parent) { return new CReportsWindow(app, parent); });
    RegisterToolWindowFactory(EToolWindow::Formulae,
                              [](CAppContext& app, QWidget* parent) { return new CFormulaWindow(app, parent); });
    RegisterToolWindowFactory(EToolWindow::Techniques,
                              [](CAppContext& app, QWidget* parent) { return new CTechniqueWindow(app, parent); });
    RegisterToolWindowFactory(EToolWindow::Components,
                              [](CAppContext& app, QWidget* parent) { return new CComponentWindow(app, parent); });
    RegisterToolWindowFactory(EToolWindow::Profiles,
                              [](CAppContext& app, QWidget* parent) { return new CProfileWindow(app, parent); });
}

int RunMoxa(int argc, char** argv)
{
    // --help and --version need no display, so they come before the QApplication.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CMoxaCommandLine command = ParseMoxaCommandLine(arguments);
    switch (command.action)
    {
    case CMoxaCommandLine::EAction::Help:
    case CMoxaCommandLine::EAction::Version:
        std::fputs(command.text.toLocal8Bit().constData(), stdout);
        return 0;
    case CMoxaCommandLine::EAction::Error:
        std::fprintf(stderr, "moxa: %s\nTry 'moxa --help'.\n", command.text.toLocal8Bit().constData());
        return 2;
    case CMoxaCommandLine::EAction::Run:
        break;
    }
    ChooseWindowSystem();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moxa"));
    QApplication::setApplicationVersion(QString::fromLatin1(MoxaVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(MoxaAppId));
    QApplication::setWindowIcon(ApplicationIcon());
    QApplication::setStyle(new CAppStyle);
    const std::optional<std::filesystem::path> dataFolder = AskDataFolder(command.dataFolder);
    if (!dataFolder)
        return 1;

    RegisterOrderWindows();
    CUpdateDialog::Register();
    CAppContext app(*dataFolder, CreateUserSettingsStore());
    auto toolbar = std::make_unique<CToolbarWindow>(app);
    app.MessagePrompter().SetParent(nullptr);
    {
        CProgressWindow progress;
        app.Start(&progress);
    }
    if (StartupProbeRequested())
        ArmStartupProbe(toolbar.get());
    toolbar->Initialise();
    app.MessagePrompter().SetParent(toolbar.get());
    const int status = QApplication::exec();
    toolbar.reset();
    return status;
}
