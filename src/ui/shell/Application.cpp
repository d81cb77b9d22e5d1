#include "ui/shell/Application.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "session/DataFolder.h"
#include "ui/shell/MessageBox.h"

#include <QCommandLineParser>
#include <QFile>
#include <QIcon>

#include <cstdio>

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

QIcon ApplicationIcon()
{
    QIcon fallback;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        fallback.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(MoxaAppId), fallback);
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
