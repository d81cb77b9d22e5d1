#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// One download: where from, where to, and how much is too much.
struct CTransferRequest
{
    std::string address;          // "http://host/path" or "https://host/path"
    std::filesystem::path target; // the file that appears only when the transfer is complete
    std::int64_t sizeLimit = 0;   // bytes; 0 means no limit
    int stallTimeoutMs = 30000;   // no byte for this long ends the transfer
};

enum class ETransferStatus
{
    Completed,
    Aborted,
    ConnectFailed,   // no connection, no answer, or a broken connection
    HttpError,       // a status other than 2xx (or a redirect not followed)
    LengthMismatch,  // fewer or more bytes than announced
    TooLarge,        // past the request's size limit
    TimedOut,        // no data for the stall timeout
    RedirectRefused, // too many, or from https to http
    FileError        // the target could not be written
};

struct CTransferResult
{
    ETransferStatus status = ETransferStatus::ConnectFailed;
    int httpStatus = 0;
    std::int64_t received = 0;
    std::string detail; // for logs and the command line; not a user message

    bool Ok() const { return status == ETransferStatus::Completed; }
};

struct CTransferCallbacks
{
    // Bytes so far and the announced total (0 when the server announced none).
    std::function<void(std::int64_t received, std::int64_t expected)> progress;
    // Called exactly once per started transfer, except after Abort().
    std::function<void(const CTransferResult&)> finished;
};

// An HTTP download that runs in the caller's event loop. Callbacks come later from the
// loop, never from inside Start(), so a caller may start the next transfer from finished.
class ITransfer
{
public:
    virtual ~ITransfer() = default;
    virtual void Start(const CTransferRequest& request, CTransferCallbacks callbacks) = 0;
    // Stops the running transfer and removes what it wrote; no callback follows.
    virtual void Abort() = 0;
    virtual bool IsRunning() const = 0;
};

// Short words for a result, for the command line's diagnostics.
std::string DescribeTransfer(const CTransferResult& result);
