#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CXmlDocument;

// A database revision date.
struct CRevisionDate
{
    int year = 0;
    int month = 0;
    int day = 0;

    auto operator<=>(const CRevisionDate&) const = default;
};

// Reads "%d-%d-%d" (year, month, day); a year below 2000 has 2000 added. Dates that no
// calendar has (month 13, 31 February, a year beyond 9999) give nothing.
std::optional<CRevisionDate> ParseRevisionDate(std::string_view text);

// The revision as the archive names it: "%Y-%m-%d".
std::string RevisionText(const CRevisionDate& date);

// "Moxa_" + revision + ".zip".
std::string ArchiveName(const CRevisionDate& date);

// A version text read as a number, as C atof reads it (0 when it holds none).
double VersionNumber(std::string_view text);

// Whether a client of version `client` can use a revision that needs `minimum`.
bool ClientSupports(std::string_view minimum, std::string_view client);

struct CReleaseNote
{
    std::string author;
    std::string change;
};

struct CRelease
{
    std::string revision; // as written in the file
    CRevisionDate date;
    bool validDate = false;
    std::string title;
    std::string minClientVersion;
    std::vector<CReleaseNote> notes;
};

// The release information of a server ("Release.xml").
class CReleaseInfo
{
public:
    bool Load(const std::filesystem::path& path);
    // False when the document holds no release with a usable revision date.
    bool Read(const CXmlDocument& doc);

    // The release with the latest revision date (the first of equal ones); null when none.
    const CRelease* Latest() const;

    std::vector<CRelease> releases;
};

// What the user is told about the latest release.
enum class EReleaseVerdict
{
    ClientTooOld,     // the download is refused
    AlreadyInstalled, // "Re-download"
    NewDatabase       // "Start Download"
};

struct CReleaseAssessment
{
    EReleaseVerdict verdict = EReleaseVerdict::NewDatabase;
    std::string archiveName;
    std::string message;     // the line shown with the revision
    std::string buttonLabel; // "Start Download" or "Re-download"
    bool downloadEnabled = true;
};

// Compares a release with the installed revision (the "DatabaseRevision" setting) and the
// program's own version.
CReleaseAssessment AssessRelease(const CRelease& release, std::string_view installedRevision,
                                 std::string_view clientVersion);
