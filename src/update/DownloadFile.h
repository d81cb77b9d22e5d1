#pragma once

#include "base/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

// The receiving end of a transfer: bytes go to a temporary file beside the target, which
// takes the target's name only when the whole body has arrived. Dropped or failed, it
// leaves nothing behind.
class CDownloadFile
{
public:
    enum class EError
    {
        None,
        File,     // the temporary file could not be created or written
        TooLarge, // more than the size limit
        Length    // not the announced length
    };

    // Creates the target's folder when needed and opens the temporary file.
    bool Open(const std::filesystem::path& target, std::int64_t sizeLimit);
    // The announced length (0: none); a length past the limit fails at once.
    bool SetExpected(std::int64_t expected);
    bool Append(std::string_view bytes);
    // Checks the length and renames into place.
    bool Commit();
    void Discard();

    std::int64_t Received() const { return m_received; }
    std::int64_t Expected() const { return m_expected; }
    EError Error() const { return m_error; }

private:
    CAtomicFile m_file;
    std::int64_t m_limit = 0;
    std::int64_t m_expected = 0;
    std::int64_t m_received = 0;
    EError m_error = EError::None;
};
