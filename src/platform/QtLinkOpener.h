#pragma once

#include "database/Links.h"

#include <QUrl>
#include <filesystem>
#include <string>

// Opens help links with the desktop's handler. Web addresses open as they are; any other
// text is a file, relative ones below the data folder.
class CQtLinkOpener : public ILinkOpener
{
public:
    explicit CQtLinkOpener(std::filesystem::path dataFolder) : m_dataFolder(std::move(dataFolder))
    {
    }

    bool OpenUrl(const std::string& text) override;

    // The address a link text stands for; an empty URL when the text is empty.
    static QUrl UrlFor(const std::string& text, const std::filesystem::path& dataFolder);

private:
    std::filesystem::path m_dataFolder;
};
