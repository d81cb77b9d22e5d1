// The release information, with the assessment of its latest release.
#include "FuzzSupport.h"
#include "update/ReleaseInfo.h"
#include "xml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CXmlDocument doc;
    doc.LoadFromText(std::string(Fuzz::Bytes(data, size)));
    CReleaseInfo info;
    const bool usable = info.Read(doc);
    const CRelease* latest = info.Latest();
    Fuzz::Check(!usable || latest != nullptr, "a usable file has a latest release");
    for (const CRelease& release : info.releases)
    {
        if (release.validDate)
        {
            const std::string text = RevisionText(release.date);
            const auto again = ParseRevisionDate(text);
            Fuzz::Check(again && *again == release.date, "a revision reads back as its text");
            ArchiveName(release.date);
        }
        AssessRelease(release, release.revision, "2.27");
        AssessRelease(release, "Initial", release.minClientVersion);
        ClientSupports(release.minClientVersion, "2.27");
    }
    if (latest)
        Fuzz::Check(latest->validDate, "the latest release has a date");
    return 0;
}
