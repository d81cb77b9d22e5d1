#include "platform/QtTransfer.h"

#include "update/UrlParts.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace
{
bool IsRedirectStatus(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

ETransferStatus FileStatus(CDownloadFile::EError error)
{
    switch (error)
    {
    case CDownloadFile::EError::TooLarge:
        return ETransferStatus::TooLarge;
    case CDownloadFile::EError::Length:
        return ETransferStatus::LengthMismatch;
    case CDownloadFile::EError::File:
    case CDownloadFile::EError::None:
        break;
    }
    return ETransferStatus::FileError;
}

std::string Latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}
} // namespace

CQtTransfer::CQtTransfer() : m_manager(std::make_unique<QNetworkAccessManager>())
{
    m_stallTimer.setSingleShot(true);
    QObject::connect(&m_stallTimer, &QTimer::timeout, &m_context,
                     [this]() { Fail(ETransferStatus::TimedOut, "no data"); });
}

CQtTransfer::~CQtTransfer()
{
    Abort();
}

void CQtTransfer::Start(const CTransferRequest& request, CTransferCallbacks callbacks)
{
    Abort();
    m_request = request;
    m_callbacks = std::move(callbacks);
    m_redirects = 0;
    m_running = true;
    const CUrlParts parts = SplitAddress(request.address);
    const QUrl url(QString::fromLatin1(FormatAddress(parts)), QUrl::StrictMode);
    if (parts.host.empty() || !url.isValid())
    {
        FailLater(ETransferStatus::ConnectFailed, "bad address");
        return;
    }
    if (!m_file.Open(request.target, request.sizeLimit))
    {
        FailLater(ETransferStatus::FileError, "cannot create the file");
        return;
    }
    Send(url);
}

void CQtTransfer::Send(const QUrl& url)
{
    m_url = url;
    m_httpStatus = 0;
    m_headersSeen = false;
    m_discarded = 0;
    QNetworkRequest request(url);
    request.setRawHeader("Accept", "*/*");
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    // Asking for the body as it is keeps the announced length comparable with what arrives.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_manager->get(request);
    QObject::connect(m_reply, &QNetworkReply::metaDataChanged, &m_context,
                     [this]() { OnHeaders(); });
    QObject::connect(m_reply, &QNetworkReply::readyRead, &m_context, [this]() { OnReadyRead(); });
    QObject::connect(m_reply, &QNetworkReply::finished, &m_context, [this]() { OnFinished(); });
    m_stallTimer.start(m_request.stallTimeoutMs);
}

void CQtTransfer::OnHeaders()
{
    if (!m_reply || m_headersSeen)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return;
    m_headersSeen = true;
    m_httpStatus = status.toInt();
    m_stallTimer.start(m_request.stallTimeoutMs);
    // Redirects are followed and errors reported when the reply ends; cutting the reply off
    // here would race with Qt's own error handling.
    if (!IsSuccessStatus())
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const std::int64_t expected = length.isValid() ? length.toLongLong() : 0;
    if (!m_file.SetExpected(expected))
    {
        Fail(FileStatus(m_file.Error()), "announced length");
        return;
    }
    if (m_callbacks.progress)
        m_callbacks.progress(0, m_file.Expected());
}

void CQtTransfer::OnReadyRead()
{
    if (!m_reply)
        return;
    OnHeaders();
    if (!m_reply || !m_headersSeen)
        return;
    m_stallTimer.start(m_request.stallTimeoutMs);
    const QByteArray chunk = m_reply->readAll();
    if (!IsSuccessStatus())
    {
        // An error page or a redirect's body is not the file; an endless one is cut off.
        m_discarded += chunk.size();
        if (m_discarded > MaxDiscarded)
            Fail(IsRedirectStatus(m_httpStatus) ? ETransferStatus::RedirectRefused
                                                : ETransferStatus::HttpError,
                 "endless body");
        return;
    }
    if (chunk.isEmpty())
        return;
    if (!m_file.Append(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size()))))
    {
        Fail(FileStatus(m_file.Error()), "while receiving");
        return;
    }
    if (m_callbacks.progress)
        m_callbacks.progress(m_file.Received(), m_file.Expected());
}

void CQtTransfer::OnFinished()
{
    if (!m_reply)
        return;
    m_stallTimer.stop();
    OnHeaders();
    if (!m_reply)
        return;
    if (m_headersSeen && IsRedirectStatus(m_httpStatus))
    {
        const QUrl location =
            m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
        const QUrl next = m_url.resolved(location);
        const ERedirect verdict =
            location.isEmpty()
                ? ERedirect::Invalid
                : CheckRedirect(Latin1(m_url.toString()), Latin1(next.toString()), m_redirects + 1);
        if (verdict != ERedirect::Follow)
        {
            Fail(verdict == ERedirect::Invalid ? ETransferStatus::HttpError
                                               : ETransferStatus::RedirectRefused,
                 Latin1(next.toString()));
            return;
        }
        ++m_redirects;
        DropReply();
        Send(next);
        return;
    }
    const QNetworkReply::NetworkError error = m_reply->error();
    if (m_headersSeen && !IsSuccessStatus())
    {
        Fail(ETransferStatus::HttpError, {});
        return;
    }
    if (!m_headersSeen || (error != QNetworkReply::NoError && !m_file.Expected()))
    {
        Fail(ETransferStatus::ConnectFailed, Latin1(m_reply->errorString()));
        return;
    }
    OnReadyRead();
    if (!m_reply)
        return;
    if (error != QNetworkReply::NoError)
    {
        // The connection broke before the announced length arrived.
        Fail(ETransferStatus::LengthMismatch, Latin1(m_reply->errorString()));
        return;
    }
    if (!m_file.Commit())
    {
        Fail(FileStatus(m_file.Error()), "on completion");
        return;
    }
    CTransferResult result;
    result.status = ETransferStatus::Completed;
    result.httpStatus = m_httpStatus;
    result.received = m_file.Received();
    DropReply();
    Complete(result);
}

void CQtTransfer::FailLater(ETransferStatus status, const std::string& detail)
{
    // Callbacks never run inside Start().
    const std::uint64_t generation = m_generation;
    QTimer::singleShot(0, &m_context,
                       [this, generation, status, detail]()
                       {
                           if (generation == m_generation && m_running)
                               Fail(status, detail);
                       });
}

void CQtTransfer::Fail(ETransferStatus status, const std::string& detail)
{
    CTransferResult result;
    result.status = status;
    result.httpStatus = m_httpStatus;
    result.received = m_file.Received();
    result.detail = detail;
    DropReply();
    m_file.Discard();
    Complete(result);
}

void CQtTransfer::Complete(const CTransferResult& result)
{
    m_stallTimer.stop();
    m_running = false;
    ++m_generation;
    // The callback may start the next transfer, which replaces the callbacks.
    CTransferCallbacks callbacks = std::move(m_callbacks);
    m_callbacks = {};
    if (callbacks.finished)
        callbacks.finished(result);
}

void CQtTransfer::DropReply()
{
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    QObject::disconnect(reply, nullptr, &m_context, nullptr);
    // A reply that has its error already is torn down by its deletion; aborting it again
    // only makes Qt complain.
    if (reply->isRunning() && reply->error() == QNetworkReply::NoError)
        reply->abort();
    reply->deleteLater();
}

void CQtTransfer::Abort()
{
    m_stallTimer.stop();
    DropReply();
    m_file.Discard();
    m_running = false;
    ++m_generation;
    m_callbacks = {};
}
