#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QApplication;

// The application id: the desktop file's name and the icon's.
inline constexpr char MoxaAppId[] = "net.moxacalc.Moxa";

// What moxa's command line asks for. Qt's own options (-platform, -style, ...) are let through.
struct CMoxaCommandLine
{
    enum class EAction
    {
        Run,
        Help,
        Version,
        Error
    };
    EAction action = EAction::Run;
    std::optional<std::filesystem::path> dataFolder; // --data-dir DIR or --data-dir=DIR
    QString text;                                    // the help, the version or the error
    std::optional<std::filesystem::path> orderFile;  // ORDER.xml, as given
};
CMoxaCommandLine ParseMoxaCommandLine(const QStringList& arguments);

// The order file of the command line made absolute, so that another process can open it; an
// empty path, with the reason in `error`, when it is no file.
std::filesystem::path CommandLineOrder(const std::filesystem::path& given, std::string& error);

// The application, or the end of the process with status 1 and one line on standard error
// when there is no display to open windows on (Qt itself would abort).
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv);

// Under Wayland with an X server at hand, the xcb platform, where windows can be placed and
// tool windows docked; left alone when QT_QPA_PLATFORM is set.
void ChooseWindowSystem();

// The program's icon: the installed one, else the one built in.
QIcon ApplicationIcon();

// The data folder of this start; a named folder that is none is explained, with the per-user
// folder offered instead. Empty when the player declines or there is none.
std::optional<std::filesystem::path> AskDataFolder(std::optional<std::filesystem::path> named);
