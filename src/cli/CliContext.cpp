#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <cstdio>

bool CCliPrompter::AskYesNo(const std::string& text)
{
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), m_yes ? "yes" : "no");
    return m_yes;
}

void CCliPrompter::Warn(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

void CCliPrompter::Inform(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "moxa-cli: %s\n", message.c_str());
    return 2;
}
