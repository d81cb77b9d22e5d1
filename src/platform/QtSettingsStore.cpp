#include "platform/QtSettingsStore.h"

#include "base/IniSettingsStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>

std::filesystem::path UserSettingsFile()
{
    QString file;
    if (const char* named = std::getenv("MOXA_SETTINGS"); named && *named)
        file = QString::fromLocal8Bit(named);
    else
        file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Moxa/Moxa2.ini");
    return std::filesystem::path(QFile::encodeName(file).constData());
}

std::unique_ptr<ISettingsStore> CreateUserSettingsStore()
{
    return std::make_unique<CIniSettingsStore>(UserSettingsFile());
}
