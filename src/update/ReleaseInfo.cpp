#include "update/ReleaseInfo.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "xml/XmlDocument.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace
{
bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One "%d" of scanf: white space, a sign, at least one digit. Saturates instead of
// overflowing.
bool ScanInt(std::string_view& text, std::int64_t& value)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    std::int64_t result = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
    {
        if (result < 1000000000000LL)
            result = result * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digits)
        return false;
    value = negative ? -result : result;
    text.remove_prefix(i);
    return true;
}

bool ScanLiteral(std::string_view& text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, std::int64_t month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return days[month - 1];
}
} // namespace

std::optional<CRevisionDate> ParseRevisionDate(std::string_view text)
{
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
    if (!ScanInt(text, year) || !ScanLiteral(text, '-') || !ScanInt(text, month) ||
        !ScanLiteral(text, '-') || !ScanInt(text, day))
        return std::nullopt;
    if (year < 2000)
        year += 2000;
    // Anything outside four-digit years would make archive names no one can compare.
    if (year < 2000 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return std::nullopt;
    return CRevisionDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

std::string RevisionText(const CRevisionDate& date)
{
    return Format("%04d-%02d-%02d", date.year, date.month, date.day);
}

std::string ArchiveName(const CRevisionDate& date)
{
    return std::string(ArchivePrefix) + RevisionText(date) + std::string(ArchiveSuffix);
}

double VersionNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    text.remove_prefix(i);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
    {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::invalid_argument)
        return 0;
    // Out of range: from_chars leaves the value alone; atof gives HUGE_VAL or 0.
    if (result.ec == std::errc::result_out_of_range)
    {
        const std::string_view number(text.data(),
                                      static_cast<std::size_t>(result.ptr - text.data()));
        value = number.find("e-") != std::string_view::npos ||
                        number.find("E-") != std::string_view::npos
                    ? 0.0
                    : HUGE_VAL;
    }
    return negative ? -value : value;
}

bool ClientSupports(std::string_view minimum, std::string_view client)
{
    return !(VersionNumber(minimum) > VersionNumber(client));
}

bool CReleaseInfo::Load(const std::filesystem::path& path)
{
    releases.clear();
    CXmlDocument doc;
    if (!doc.Load(path))
        return false;
    return Read(doc);
}

bool CReleaseInfo::Read(const CXmlDocument& doc)
{
    releases.clear();
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement element("release");
    bool anyValid = false;
    while (element.FindNext(doc, root))
    {
        CRelease release;
        element.GetText(doc, "release-databaserevision", release.revision, true);
        element.GetText(doc, "release-title", release.title, true);
        element.GetText(doc, "release-minclientversion", release.minClientVersion, true);
        if (const auto date = ParseRevisionDate(release.revision))
        {
            release.date = *date;
            release.validDate = true;
            anyValid = true;
        }
        CXmlElement notes("release-notes");
        notes.SetPosition(element.Position());
        if (notes.FindNext(doc, element))
        {
            CReleaseNote note;
            while (notes.NextTextAndAttribute(doc, "note", note.author, note.change, true))
                release.notes.push_back(note);
        }
        releases.push_back(std::move(release));
    }
    return anyValid;
}

const CRelease* CReleaseInfo::Latest() const
{
    const CRelease* latest = nullptr;
    for (const CRelease& release : releases)
        if (release.validDate && (!latest || release.date > latest->date))
            latest = &release;
    return latest;
}

CReleaseAssessment AssessRelease(const CRelease& release, std::string_view installedRevision,
                                 std::string_view clientVersion)
{
    CReleaseAssessment result;
    result.archiveName = ArchiveName(release.date);
    result.buttonLabel = std::string(Messages::StartDownload);
    if (!ClientSupports(release.minClientVersion, clientVersion))
    {
        result.verdict = EReleaseVerdict::ClientTooOld;
        result.message = std::string(Messages::ClientTooOld1) + std::string(clientVersion) +
                         std::string(Messages::ClientTooOld2);
        result.downloadEnabled = false;
        return result;
    }
    const std::string installed =
        std::string(ArchivePrefix) + std::string(installedRevision) + std::string(ArchiveSuffix);
    if (result.archiveName == installed)
    {
        result.verdict = EReleaseVerdict::AlreadyInstalled;
        result.buttonLabel = std::string(Messages::ReDownload);
        result.message = std::string(Messages::DatabaseInstalled);
    }
    else
    {
        result.verdict = EReleaseVerdict::NewDatabase;
        result.message = std::string(Messages::DatabaseReady);
    }
    return result;
}
