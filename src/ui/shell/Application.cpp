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

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "session/DataFolder.h"
#include "ui/shell/MessageBox.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>

#include <cstdio>
#include <memory>

CMoxaCommandLine ParseMoxaCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Moxa, a crafting calculator for the game Tellurin."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the version."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder (default: the current directory when it holds "
                                                    "Config, else $XDG_DATA_HOME/moxa)."),
                                     QStringLiteral("DIR"));
    parser.addOptions({help, version, dataDir});
    // QApplication takes these itself.
    for (const char* name : {"platform", "style", "stylesheet", "display", "geometry", "qwindowgeometry",
                             "qwindowtitle", "qwindowicon", "platformtheme", "plugin"})
    {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("VALUE"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);

    CMoxaCommandLine result;
    if (!parser.parse(arguments))
        result = {CMoxaCommandLine::EAction::Error, std::nullopt, parser.errorText()};
    else if (!parser.positionalArguments().isEmpty())
        result = {CMoxaCommandLine::EAction::Error, std::nullopt,
                  QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst())};
    else if (parser.isSet(help))
    {
        // The usage line names the program as it is installed, not by the path it was started by.
        const QString text = parser.helpText();
        result = {CMoxaCommandLine::EAction::Help, std::nullopt,
                  QStringLiteral("Usage: moxa [options]") + text.mid(text.indexOf(QLatin1Char('\n')))};
    }
    else if (parser.isSet(version))
        result = {CMoxaCommandLine::EAction::Version, std::nullopt,
                  QStringLiteral("Moxa %1\n").arg(QString::fromLatin1(MoxaVersion))};
    else if (parser.isSet(dataDir))
    {
        result.dataFolder = std::filesystem::path(QFile::encodeName(parser.value(dataDir)).toStdString());
        if (result.dataFolder->empty())
            result = {CMoxaCommandLine::EAction::Error, std::nullopt, QStringLiteral("--data-dir needs a folder.")};
    }
    return result;
}

void ChooseWindowSystem()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const bool wayland =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    if (wayland && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("xcb"));
}

namespace
{
QIcon ApplicationIcon()
{
    QIcon fallback;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        fallback.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(MoxaAppId), fallback);
}

// Paths and the messages naming them are in the system's encoding.
QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}

// The data folder of this start; a named folder that is none is explained, with the per-user
// folder offered instead. Empty when the player declines or there is none.
std::optional<std::filesystem::path> ChooseFolder(std::optional<std::filesystem::path> named)
{
    CDataFolderChoice choice = ChooseDataFolder(DataFolderRequestFromEnvironment(named));
    if (choice.source == EDataFolderSource::None && named)
    {
        CDataFolderRequest perUser = DataFolderRequestFromEnvironment(std::nullopt);
        perUser.current.clear();
        const QString question = Local(choice.error + std::string(Messages::UsePerUserFolder1) +
                                       perUser.perUser.string() + std::string(Messages::UsePerUserFolder2));
        if (!CMessageBox::AskYesNo(nullptr, question, CMessageBox::EIcon::Warning))
            return std::nullopt;
        choice = ChooseDataFolder(perUser);
    }
    if (choice.source == EDataFolderSource::None)
    {
        std::fprintf(stderr, "moxa: %s\n", choice.error.c_str());
        CMessageBox::Show(nullptr, Local(choice.error), CMessageBox::EIcon::Stop);
        return std::nullopt;
    }
    if (choice.source == EDataFolderSource::PerUserSeeded)
        CMessageBox::Show(nullptr,
                          Local(std::string(Messages::Seeded1) + choice.folder.string() + std::string(Messages::Seeded2)),
                          CMessageBox::EIcon::Information);
    return choice.folder;
}
} // namespace

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
    const std::optional<std::filesystem::path> dataFolder = ChooseFolder(command.dataFolder);
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
