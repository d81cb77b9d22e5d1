#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <filesystem>

// One program per data folder: the first start listens on a local socket named after the
// canonical data folder; a later start on the same folder hands it its order files and ends.
// A socket left by a killed program answers nobody and is replaced; a lock file keeps two
// starts at the same moment from both listening.
class CSingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class EStart
    {
        HandedOver, // another program on the folder took the request: this start is over
        Listening,  // this is the first: later starts reach it through Requested
        Alone       // neither (no runtime folder, say): this start runs on its own
    };

    explicit CSingleInstance(const std::filesystem::path& dataFolder, QObject* parent = nullptr);

    // The socket of the program on that data folder.
    static QString ServerName(const std::filesystem::path& dataFolder);
    // Hands the order files (absolute paths; none just raises the other program) to the
    // program already on the folder, else listens.
    EStart Start(const QStringList& orders);

Q_SIGNALS:
    // A later start asked for these order files to be opened (none: just come to the front).
    void Requested(const QStringList& orders);

private:
    void Accept();

    QString m_name;
    QLocalServer m_server;
};
