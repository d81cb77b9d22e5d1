#include "ui/shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>
#include <unistd.h>

namespace
{
constexpr int ConnectMs = 2000;
constexpr int LockMs = 10000;

QByteArray Request(const QStringList& orders)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << orders;
    return bytes;
}
} // namespace

CSingleInstance::CSingleInstance(const std::filesystem::path& dataFolder, QObject* parent)
    : QObject(parent), m_name(ServerName(dataFolder))
{
    // Only this user may connect.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &CSingleInstance::Accept);
}

QString CSingleInstance::ServerName(const std::filesystem::path& dataFolder)
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::canonical(dataFolder, error);
    if (error)
        folder = std::filesystem::absolute(dataFolder, error).lexically_normal();
    const QByteArray hash = QCryptographicHash::hash(QByteArray::fromStdString(folder.string()),
                                                     QCryptographicHash::Sha1);
    // The runtime folder is the user's own (XDG_RUNTIME_DIR, else one Qt makes private).
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return {};
    return runtime + QStringLiteral("/moxa-") + QString::fromLatin1(hash.toHex().left(16));
}

CSingleInstance::EStart CSingleInstance::Start(const QStringList& orders)
{
    if (m_name.isEmpty())
        return EStart::Alone;
    QLockFile lock(m_name + QStringLiteral(".lock"));
    if (!lock.tryLock(LockMs))
        return EStart::Alone;

    // A socket of another user's making is never spoken to.
    const QFileInfo socket(m_name);
    if (socket.exists() && socket.ownerId() == ::getuid())
    {
        QLocalSocket other;
        other.connectToServer(m_name);
        if (other.waitForConnected(ConnectMs))
        {
            other.write(Request(orders));
            other.disconnectFromServer();
            if (other.state() == QLocalSocket::UnconnectedState ||
                other.waitForDisconnected(ConnectMs))
                return EStart::HandedOver;
        }
    }
    // Nobody answered: whatever socket is left there belonged to a program that is gone.
    QLocalServer::removeServer(m_name);
    return m_server.listen(m_name) ? EStart::Listening : EStart::Alone;
}

void CSingleInstance::Accept()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection())
    {
        auto bytes = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket,
                [socket, bytes] { bytes->append(socket->readAll()); });
        connect(socket, &QLocalSocket::disconnected, this,
                [this, socket, bytes]
                {
                    bytes->append(socket->readAll());
                    socket->deleteLater();
                    QDataStream stream(*bytes);
                    QStringList orders;
                    stream >> orders;
                    if (stream.status() == QDataStream::Ok)
                        Q_EMIT Requested(orders);
                });
    }
}
