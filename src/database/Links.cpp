#include "database/Links.h"

#include "base/Messages.h"
#include "base/Prompter.h"
#include "database/GameDatabase.h"

bool OpenLink(const CGameDatabase& db, std::string_view key, ILinkOpener& opener,
              IPrompter& prompter)
{
    const auto it = db.HelpPages.find(std::string(key));
    if (it == db.HelpPages.end())
    {
        prompter.Warn(std::string(Messages::LinkNotFound));
        return false;
    }
    return opener.OpenUrl(it->second);
}
