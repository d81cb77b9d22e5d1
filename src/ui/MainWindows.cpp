#include "ui/MainWindows.h"

#include "base/DataPaths.h"
#include "platform/QtSettingsStore.h"
#include "ui/browsers/ComponentWindow.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/browsers/ProfileWindow.h"
#include "ui/browsers/TechniqueWindow.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/AppStyle.h"
#include "ui/shell/Application.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/StartupProbe.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/shell/Translations.h"
#include "ui/update/UpdateDialog.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

void OpenHandedOrders(CAppContext& app, CToolbarWindow& toolbar, const QStringList& orders)
{
    // A dialog has the player's attention (or the start is not over): the orders wait their turn.
    if (QApplication::activeModalWidget() || !toolbar.isVisible())
    {
        QTimer::singleShot(HandedOrderRetryMs, &toolbar,
                           [&app, &toolbar, orders] { OpenHandedOrders(app, toolbar, orders); });
        return;
    }
    if (toolbar.isMinimized())
        toolbar.showNormal();
    toolbar.raise();
    toolbar.activateWindow();
    for (const QString& order : orders)
    {
        if (!OrderCommands::SaveChangesFirst(app, &toolbar))
            return;
        OrderCommands::OpenOrderFile(app, &toolbar, QFile::encodeName(order).toStdString());
        toolbar.ShowWindow(EToolWindow::Order);
    }
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
        // A full disk or a closed pipe behind standard output is a failure, not a silent success.
        errno = 0;
        if (std::fputs(command.text.toLocal8Bit().constData(), stdout) >= 0 && std::fflush(stdout) == 0)
            return 0;
        std::fprintf(stderr, "moxa: write error: %s\n", std::strerror(errno ? errno : EIO));
        return 1;
    case CMoxaCommandLine::EAction::Error:
        std::fprintf(stderr, "moxa: %s\nTry 'moxa --help'.\n", command.text.toLocal8Bit().constData());
        return 2;
    case CMoxaCommandLine::EAction::Run:
        break;
    }
    QStringList orders;
    if (command.orderFile)
    {
        std::string error;
        const std::filesystem::path order = CommandLineOrder(*command.orderFile, error);
        if (order.empty())
        {
            std::fprintf(stderr, "moxa: %s\n", error.c_str());
            return 1;
        }
        orders << QFile::decodeName(order.c_str());
    }
    ChooseWindowSystem();

    const std::unique_ptr<QApplication> application = OpenApplication(argc, argv);
    InstallTranslations();
    QApplication::setApplicationName(QStringLiteral("Moxa"));
    QApplication::setApplicationVersion(QString::fromLatin1(MoxaVersion));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(MoxaAppId));
    QApplication::setWindowIcon(ApplicationIcon());
    QApplication::setStyle(new CAppStyle);
    const std::optional<std::filesystem::path> dataFolder = AskDataFolder(command.dataFolder);
    if (!dataFolder)
        return 1;
    // Listening starts before the load, so that a start during a long rebuild hands over too.
    CSingleInstance instance(*dataFolder);
    if (instance.Start(orders) == CSingleInstance::EStart::HandedOver)
        return 0;

    RegisterOrderWindows();
    CUpdateDialog::Register();
    CAppContext app(*dataFolder, CreateUserSettingsStore());
    auto toolbar = std::make_unique<CToolbarWindow>(app);
    QObject::connect(&instance, &CSingleInstance::Requested, toolbar.get(),
                     [&app, &toolbar](const QStringList& handed) { OpenHandedOrders(app, *toolbar, handed); });
    app.MessagePrompter().SetParent(nullptr);
    {
        CProgressWindow progress;
        app.Start(&progress);
    }
    if (StartupProbeRequested())
        ArmStartupProbe(toolbar.get());
    toolbar->Initialise();
    app.MessagePrompter().SetParent(toolbar.get());
    if (!orders.isEmpty())
        OpenHandedOrders(app, *toolbar, orders);
    const int status = QApplication::exec();
    toolbar.reset();
    return status;
}
