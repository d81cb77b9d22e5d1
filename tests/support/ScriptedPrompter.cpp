#include "support/ScriptedPrompter.h"

bool CScriptedPrompter::AskYesNo(const std::string& text)
{
    questions.push_back(text);
    if (m_answers.empty())
        return m_default;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void CScriptedPrompter::Warn(const std::string& text)
{
    warnings.push_back(text);
}

void CScriptedPrompter::Inform(const std::string& text)
{
    messages.push_back(text);
}
