#pragma once

#include "update/UpdateSession.h"

#include <string>
#include <vector>

// Files a server hands out, and a view that writes down what the session shows.
namespace UpdateTestData
{
std::string ServersList(const std::string& name, const std::string& address);
std::string Release(const std::string& revision, const std::string& minClient,
                    const std::string& title = "Spring");
// A small database archive: one kept file in a folder, one file that is not kept.
std::string DatabaseArchive();
} // namespace UpdateTestData

class CRecordingView : public IUpdateView
{
public:
    void ServersChanged(const std::vector<std::string>& names) override { servers = names; }
    void ReleaseShown(const CRelease& release, const CReleaseAssessment& assessment) override
    {
        shownTitle = release.title;
        shown = assessment;
        ++releasesShown;
    }
    void AssessmentChanged(const CReleaseAssessment& assessment) override { shown = assessment; }
    void StatusChanged(const std::string& text) override { statuses.push_back(text); }
    void ProgressChanged(std::int64_t, std::int64_t, const std::string& text) override
    {
        progress.push_back(text);
    }
    void InstallStarted() override { ++installsStarted; }
    void OperationAdded(const std::string& line) override { operations.push_back(line); }
    void BusyChanged(bool value) override { busy = value; }
    void StageFinished(EUpdateStage stage, bool ok) override { finished.emplace_back(stage, ok); }

    std::vector<std::string> servers;
    std::string shownTitle;
    CReleaseAssessment shown;
    int releasesShown = 0;
    std::vector<std::string> statuses;
    std::vector<std::string> progress;
    int installsStarted = 0;
    std::vector<std::string> operations;
    bool busy = false;
    std::vector<std::pair<EUpdateStage, bool>> finished;
};
