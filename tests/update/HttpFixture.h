#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A small HTTP/1.1 server on 127.0.0.1 with a free port, answering from a table of routes
// and misbehaving on request.
class CHttpFixture
{
public:
    enum class EBehaviour
    {
        Normal,      // status, Content-Length, body, close
        NoLength,    // no Content-Length; the body ends when the connection closes
        ShortBody,   // announces more bytes than it sends, then closes
        CloseMidway, // sends half the body, then closes
        StallMidway, // sends half the body, then nothing
        Silent       // reads the request and never answers
    };

    struct CRoute
    {
        int status = 200;
        std::string body;
        EBehaviour behaviour = EBehaviour::Normal;
        std::string location; // sent as "Location" when set
    };

    struct CRequestLog
    {
        std::string method;
        std::string path;
        std::map<std::string, std::string> headers; // lower-case names
    };

    CHttpFixture();
    ~CHttpFixture();

    // "http://127.0.0.1:PORT"
    std::string Base() const;
    int Port() const;
    void Route(const std::string& path, CRoute route) { m_routes[path] = std::move(route); }
    void Serve(const std::string& path, const std::string& body)
    {
        Route(path, CRoute{200, body, EBehaviour::Normal, {}});
    }

    std::vector<CRequestLog> requests;

private:
    void OnConnection();
    void OnData(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const CRequestLog& request);

    QTcpServer m_server;
    std::map<std::string, CRoute> m_routes;
    std::map<QTcpSocket*, std::string> m_buffers;
};

// Runs the event loop until the condition holds or the time is up; true when it holds.
bool RunUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
