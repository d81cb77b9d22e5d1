#include "update/DownloadFile.h"

#include "base/NumberText.h"
#include "update/Transfer.h"

namespace fs = std::filesystem;

bool CDownloadFile::Open(const fs::path& target, std::int64_t sizeLimit)
{
    m_limit = sizeLimit;
    m_expected = 0;
    m_received = 0;
    m_error = EError::None;
    std::error_code ec;
    if (!target.parent_path().empty())
        fs::create_directories(target.parent_path(), ec);
    if (!m_file.Open(target))
    {
        m_error = EError::File;
        return false;
    }
    return true;
}

bool CDownloadFile::SetExpected(std::int64_t expected)
{
    m_expected = expected > 0 ? expected : 0;
    if (m_limit > 0 && m_expected > m_limit)
    {
        m_error = EError::TooLarge;
        Discard();
        return false;
    }
    return true;
}

bool CDownloadFile::Append(std::string_view bytes)
{
    if (m_error != EError::None || !m_file.IsOpen())
        return false;
    m_received += static_cast<std::int64_t>(bytes.size());
    if (m_limit > 0 && m_received > m_limit)
    {
        m_error = EError::TooLarge;
        Discard();
        return false;
    }
    if (m_expected > 0 && m_received > m_expected)
    {
        m_error = EError::Length;
        Discard();
        return false;
    }
    if (!m_file.Write(bytes))
    {
        m_error = EError::File;
        Discard();
        return false;
    }
    return true;
}

bool CDownloadFile::Commit()
{
    if (m_error != EError::None || !m_file.IsOpen())
        return false;
    if (m_expected > 0 && m_received != m_expected)
    {
        m_error = EError::Length;
        Discard();
        return false;
    }
    if (!m_file.Commit())
    {
        m_error = EError::File;
        return false;
    }
    return true;
}

void CDownloadFile::Discard()
{
    m_file.Discard();
}

std::string DescribeTransfer(const CTransferResult& result)
{
    std::string text;
    switch (result.status)
    {
    case ETransferStatus::Completed:
        text = "completed";
        break;
    case ETransferStatus::Aborted:
        text = "aborted";
        break;
    case ETransferStatus::ConnectFailed:
        text = "connection failed";
        break;
    case ETransferStatus::HttpError:
        text = Format("HTTP status %d", result.httpStatus);
        break;
    case ETransferStatus::LengthMismatch:
        text = "incomplete body";
        break;
    case ETransferStatus::TooLarge:
        text = "too large";
        break;
    case ETransferStatus::TimedOut:
        text = "timed out";
        break;
    case ETransferStatus::RedirectRefused:
        text = "redirect refused";
        break;
    case ETransferStatus::FileError:
        text = "cannot write the file";
        break;
    }
    if (!result.detail.empty())
        text += " (" + result.detail + ")";
    return text;
}
