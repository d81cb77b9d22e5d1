#pragma once

#include "base/SettingsStore.h"
#include "support/TempDir.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"

#include <memory>
#include <string>
#include <vector>

// A writable copy of the sample data folder with an application context on it; settings
// live in memory, message boxes answer from a script, links are only recorded.
class CRecordingLinks : public ILinkOpener
{
public:
    bool OpenUrl(const std::string& text) override
    {
        opened.push_back(text);
        return opens;
    }
    std::vector<std::string> opened;
    bool opens = true; // false: as on a desktop without a browser
};

struct CUiFixture
{
    CUiFixture()
    {
        CopyTree(SampleDataPath(), folder.Path());
        CMessageBox::SetScripted(true);
        CMessageBox::TakeLog();
    }
    ~CUiFixture() { CMessageBox::SetScripted(false); }

    std::unique_ptr<CAppContext> MakeApp()
    {
        auto app = std::make_unique<CAppContext>(folder.Path(), std::make_unique<CMemorySettingsStore>());
        app->SetLinkOpener(&links);
        return app;
    }

    std::filesystem::path CacheFile() const { return folder / "Cache/config.dat"; }
    std::filesystem::path IconCacheFile() const { return folder / "Cache/formicons.dat"; }

    CTempDir folder;
    CRecordingLinks links;
};
