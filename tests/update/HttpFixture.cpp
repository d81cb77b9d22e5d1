#include "HttpFixture.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cctype>

namespace
{
const char* Reason(int status)
{
    switch (status)
    {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return text;
}
} // namespace

CHttpFixture::CHttpFixture()
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server,
                     [this]() { OnConnection(); });
    m_server.listen(QHostAddress::LocalHost, 0);
}

CHttpFixture::~CHttpFixture()
{
    for (auto& [socket, buffer] : m_buffers)
    {
        QObject::disconnect(socket, nullptr, nullptr, nullptr);
        socket->abort();
    }
    m_server.close();
}

std::string CHttpFixture::Base() const
{
    return "http://127.0.0.1:" + std::to_string(Port());
}

int CHttpFixture::Port() const
{
    return m_server.serverPort();
}

void CHttpFixture::OnConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection())
    {
        socket->setParent(&m_server);
        m_buffers[socket];
        QObject::connect(socket, &QTcpSocket::readyRead, &m_server,
                         [this, socket]() { OnData(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, &m_server,
                         [this, socket]()
                         {
                             m_buffers.erase(socket);
                             socket->deleteLater();
                         });
    }
}

void CHttpFixture::OnData(QTcpSocket* socket)
{
    std::string& buffer = m_buffers[socket];
    const QByteArray bytes = socket->readAll();
    buffer.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::size_t end = buffer.find("\r\n\r\n");
    if (end == std::string::npos)
        return;
    CRequestLog request;
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart < end)
    {
        std::size_t lineEnd = buffer.find("\r\n", lineStart);
        const std::string line = buffer.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;
        if (first)
        {
            const std::size_t a = line.find(' ');
            const std::size_t b = line.find(' ', a + 1);
            request.method = line.substr(0, a);
            request.path = line.substr(a + 1, b - a - 1);
            first = false;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::size_t value = colon + 1;
        while (value < line.size() && line[value] == ' ')
            ++value;
        request.headers[Lower(line.substr(0, colon))] = line.substr(value);
    }
    buffer.erase(0, end + 4);
    requests.push_back(request);
    Answer(socket, request);
}

void CHttpFixture::Answer(QTcpSocket* socket, const CRequestLog& request)
{
    const auto it = m_routes.find(request.path);
    const CRoute route = it != m_routes.end()
                             ? it->second
                             : CRoute{404, "<html>Not Found</html>\n", EBehaviour::Normal, {}};
    if (route.behaviour == EBehaviour::Silent)
        return;
    std::string head =
        "HTTP/1.1 " + std::to_string(route.status) + " " + Reason(route.status) + "\r\n";
    head += "Connection: close\r\n";
    if (!route.location.empty())
        head += "Location: " + route.location + "\r\n";
    std::string body = route.body;
    switch (route.behaviour)
    {
    case EBehaviour::Normal:
        head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        break;
    case EBehaviour::ShortBody:
        head += "Content-Length: " + std::to_string(body.size() + 100) + "\r\n";
        break;
    case EBehaviour::CloseMidway:
    case EBehaviour::StallMidway:
        head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
        body.resize(body.size() / 2);
        break;
    case EBehaviour::NoLength:
    case EBehaviour::Silent:
        break;
    }
    head += "\r\n";
    const std::string all = head + body;
    socket->write(all.data(), static_cast<qint64>(all.size()));
    socket->flush();
    if (route.behaviour != EBehaviour::StallMidway)
        socket->disconnectFromHost();
}

bool RunUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, &loop,
                     [&]()
                     {
                         if (condition())
                             loop.quit();
                     });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return condition();
}
