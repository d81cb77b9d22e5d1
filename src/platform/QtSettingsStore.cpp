#include "platform/QtSettingsStore.h"

#include "app/IniSettingsStore.h"

#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>

std::unique_ptr<ISettingsStore> CreateUserSettingsStore()
{
    QString file;
    if (const char* named = std::getenv("MOXA_SETTINGS"); named && *named)
        file = QString::fromLocal8Bit(named);
    else
        file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Moxa/Moxa2.ini");
    const QByteArray path = QFile::encodeName(file);
    return std::make_unique<CIniSettingsStore>(std::filesystem::path(path.constData()));
}
