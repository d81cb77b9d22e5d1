#include "ui/shell/Application.h"

#include "platform/QtSettingsStore.h"
#include "ui/browsers/ComponentWindow.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/browsers/ProfileWindow.h"
#include "ui/browsers/TechniqueWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/AppStyle.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/StartupProbe.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/update/UpdateDialog.h"

#include <QApplication>

#include <cstdio>
#include <memory>

std::optional<std::filesystem::path> DataFolderArgument(const std::vector<std::string>& args)
{
    static constexpr std::string_view Option = "--data-dir";
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == Option && i + 1 < args.size())
            return std::filesystem::path(args[i + 1]);
        if (args[i].starts_with(std::string(Option) + "="))
            return std::filesystem::path(args[i].substr(Option.size() + 1));
    }
    return std::nullopt;
}

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
    // The data folder first: a missing one is reported before any window appears.
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code error;
    std::filesystem::path dataFolder = std::filesystem::current_path(error);
    if (const auto named = DataFolderArgument(args))
        dataFolder = std::filesystem::absolute(*named, error);
    if (!std::filesystem::is_directory(dataFolder, error))
    {
        std::fprintf(stderr, "moxa: the data folder '%s' does not exist\n", dataFolder.string().c_str());
        return 2;
    }
    // The program's own paths never end in a separator.
    dataFolder = dataFolder.lexically_normal();
    if (dataFolder.has_relative_path() && !dataFolder.has_filename())
        dataFolder = dataFolder.parent_path();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moxa"));
    QApplication::setStyle(new CAppStyle);
    RegisterOrderWindows();
    CUpdateDialog::Register();
    CAppContext app(dataFolder, CreateUserSettingsStore());
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
