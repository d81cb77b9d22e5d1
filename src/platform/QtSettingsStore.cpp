#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdlib>

namespace
{
// Store keys use backslashes between their parts, QSettings groups use slashes.
QString GroupOf(std::string_view key)
{
    QString group = QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group;
}

// The unnamed value of a key is kept under this name.
const QString DefaultValueName = QStringLiteral("(Default)");

class CQtSettingsStore : public ISettingsStore
{
public:
    explicit CQtSettingsStore(const QString& file) : m_settings(file, QSettings::IniFormat) {}

    std::optional<std::string> Read(std::string_view key, std::string_view name) const override
    {
        QSettings& settings = const_cast<QSettings&>(m_settings);
        settings.beginGroup(GroupOf(key));
        const QString wanted = name.empty()
                                   ? DefaultValueName
                                   : QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        std::optional<std::string> result;
        const QStringList keys = settings.childKeys();
        for (const QString& k : keys)
        {
            if (k.compare(wanted, Qt::CaseInsensitive) == 0)
            {
                // A hand-edited value holding commas comes back as a list.
                const QVariant value = settings.value(k);
                const QByteArray bytes = (value.typeId() == QMetaType::QStringList
                                              ? value.toStringList().join(QStringLiteral(", "))
                                              : value.toString())
                                             .toLatin1();
                result = std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
                break;
            }
        }
        settings.endGroup();
        return result;
    }

    bool Write(std::string_view key, std::string_view name, std::string_view text) override
    {
        m_settings.beginGroup(GroupOf(key));
        QString valueName = name.empty()
                                ? DefaultValueName
                                : QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        // Keep the spelling of a value that is already there.
        const QStringList keys = m_settings.childKeys();
        for (const QString& k : keys)
            if (k.compare(valueName, Qt::CaseInsensitive) == 0)
                valueName = k;
        m_settings.setValue(valueName,
                            QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        m_settings.endGroup();
        return m_settings.status() == QSettings::NoError;
    }

    bool Flush() override
    {
        m_settings.sync();
        return m_settings.status() == QSettings::NoError;
    }

private:
    QSettings m_settings;
};
} // namespace

std::unique_ptr<ISettingsStore> CreateUserSettingsStore()
{
    QString file;
    if (const char* named = std::getenv("MOXA_SETTINGS"); named && *named)
        file = QString::fromLocal8Bit(named);
    else
        file = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Moxa/Moxa2.ini");
    return std::make_unique<CQtSettingsStore>(file);
}
