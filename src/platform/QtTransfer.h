#pragma once

#include "update/DownloadFile.h"
#include "update/Transfer.h"

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <cstdint>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

// An HTTP GET on QNetworkAccessManager that never blocks: chunks are written as they
// arrive, redirects are followed here (at most a few, never from https to http), a server
// that sends nothing for the stall timeout ends the transfer, and the target only appears
// when the whole announced body has arrived with a success status.
class CQtTransfer : public ITransfer
{
public:
    CQtTransfer();
    ~CQtTransfer() override;

    void Start(const CTransferRequest& request, CTransferCallbacks callbacks) override;
    void Abort() override;
    bool IsRunning() const override { return m_running; }

    // The address actually requested last (after redirects), for diagnostics.
    QUrl CurrentUrl() const { return m_url; }

private:
    void Send(const QUrl& url);
    void OnHeaders();
    void OnReadyRead();
    void OnFinished();
    void FailLater(ETransferStatus status, const std::string& detail);
    void Fail(ETransferStatus status, const std::string& detail);
    void Complete(const CTransferResult& result);
    void DropReply();
    bool IsSuccessStatus() const { return m_httpStatus >= 200 && m_httpStatus < 300; }

    std::unique_ptr<QNetworkAccessManager> m_manager;
    QObject m_context; // owns the connections; queued calls die with it
    QNetworkReply* m_reply = nullptr;
    QTimer m_stallTimer;
    CDownloadFile m_file;
    CTransferRequest m_request;
    CTransferCallbacks m_callbacks;
    QUrl m_url;
    int m_redirects = 0;
    int m_httpStatus = 0;
    bool m_headersSeen = false;
    qint64 m_discarded = 0;
    static constexpr qint64 MaxDiscarded = 1 << 20;
    bool m_running = false;
    std::uint64_t m_generation = 0;
};
