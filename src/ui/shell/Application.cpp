#include "ui/shell/Application.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "session/DataFolder.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace
{
CMoxaCommandLine Ended(CMoxaCommandLine::EAction action, const QString& text)
{
    CMoxaCommandLine result;
    result.action = action;
    result.text = text;
    return result;
}
} // namespace

CMoxaCommandLine ParseMoxaCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Moxa, a crafting calculator for the game Tellurin."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Print this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("V"), QStringLiteral("version")},
                                     QStringLiteral("Print the version."));
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("The data folder (default: the current directory when it holds "
                                                    "Config, else $XDG_DATA_HOME/moxa)."),
                                     QStringLiteral("DIR"));
    parser.addOptions({help, version, dataDir});
    parser.addPositionalArgument(QStringLiteral("ORDER.xml"), QStringLiteral("An order file to open."),
                                 QStringLiteral("[ORDER.xml]"));
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
        result = Ended(CMoxaCommandLine::EAction::Error, parser.errorText());
    else if (parser.positionalArguments().size() > 1)
        result = Ended(CMoxaCommandLine::EAction::Error,
                       QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().at(1)));
    else if (parser.isSet(help))
    {
        // The usage line names the program as it is installed, not by the path it was started by.
        const QString text = parser.helpText();
        result = Ended(CMoxaCommandLine::EAction::Help,
                       QStringLiteral("Usage: moxa [options] [ORDER.xml]") + text.mid(text.indexOf(QLatin1Char('\n'))) +
                           QStringLiteral("\nSettings are kept in the file named by MOXA_SETTINGS, else in\n"
                                          "$XDG_CONFIG_HOME/Moxa/Moxa2.ini (~/.config/Moxa/Moxa2.ini). See moxa(1).\n") +
                           QStringLiteral("Report bugs: %1\n").arg(QString::fromLatin1(MOXA_BUG_REPORT_URL)));
    }
    else if (parser.isSet(version))
        result = Ended(CMoxaCommandLine::EAction::Version, QString::fromLatin1(MoxaVersionText) + QLatin1Char('\n'));
    else
    {
        if (parser.isSet(dataDir))
        {
            result.dataFolder = std::filesystem::path(QFile::encodeName(parser.value(dataDir)).toStdString());
            if (result.dataFolder->empty())
                return Ended(CMoxaCommandLine::EAction::Error, QStringLiteral("--data-dir needs a folder."));
        }
        if (!parser.positionalArguments().isEmpty())
            result.orderFile =
                std::filesystem::path(QFile::encodeName(parser.positionalArguments().constFirst()).toStdString());
    }
    return result;
}

std::filesystem::path CommandLineOrder(const std::filesystem::path& given, std::string& error)
{
    std::error_code code;
    const std::filesystem::path path = std::filesystem::absolute(given, code).lexically_normal();
    if (!code && std::filesystem::is_regular_file(path, code))
        return path;
    error = std::filesystem::is_directory(path, code) ? "'" + given.string() + "' is a folder, not an order file"
                                                      : "the order file '" + given.string() + "' does not exist";
    return {};
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

QIcon ApplicationIcon()
{
    QIcon fallback;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        fallback.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(MoxaAppId), fallback);
}

namespace
{
// Qt's messages while the platform starts, held back: on success they are printed as Qt
// would have, on failure one line replaces them all.
QStringList HeldMessages;

void HoldStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg)
    {
        HeldMessages << qFormatLogMessage(type, context, message);
        return;
    }
    QString reason = QStringLiteral("no display to open the windows on");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        reason += QStringLiteral(" (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    else if (!HeldMessages.isEmpty())
        reason += QStringLiteral(" (%1)").arg(HeldMessages.constFirst().section(QLatin1Char('\n'), 0, 0));
    std::fprintf(stderr, "moxa: %s\n", reason.toLocal8Bit().constData());
    std::fflush(stderr);
    // Qt aborts once this returns; the process has nothing to tidy yet.
    std::_Exit(1);
}
} // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv)
{
    HeldMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(HoldStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(HeldMessages))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    HeldMessages.clear();
    return application;
}

namespace
{
// Paths and the messages naming them are in the system's encoding.
QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text);
}
} // namespace

std::optional<std::filesystem::path> AskDataFolder(std::optional<std::filesystem::path> named)
{
    CDataFolderChoice choice = ChooseDataFolder(DataFolderRequestFromEnvironment(named));
    if (choice.source == EDataFolderSource::None && named)
    {
        CDataFolderRequest perUser = DataFolderRequestFromEnvironment(std::nullopt);
        perUser.current.clear();
        const QString question = Local(choice.error) + Tr(Messages::UsePerUserFolder1) +
                                 Local(perUser.perUser.string()) + Tr(Messages::UsePerUserFolder2);
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
                          Tr(Messages::Seeded1) + Local(choice.folder.string()) + Tr(Messages::Seeded2),
                          CMessageBox::EIcon::Information);
    return choice.folder;
}
