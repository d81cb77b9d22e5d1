#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

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
};
CMoxaCommandLine ParseMoxaCommandLine(const QStringList& arguments);

// Under Wayland with an X server at hand, the xcb platform, where windows can be placed and
// tool windows docked; left alone when QT_QPA_PLATFORM is set.
void ChooseWindowSystem();

// Makes the order and reports windows known to the toolbar.
void RegisterOrderWindows();

// The desktop program's start-up and run; returns the process's exit status.
int RunMoxa(int argc, char** argv);
