#pragma once

#include "base/Prompter.h"

#include <deque>
#include <string>
#include <vector>

// Answers questions from a script (then with a default) and records everything it was
// asked and told, in order.
class CScriptedPrompter : public IPrompter
{
public:
    explicit CScriptedPrompter(bool defaultAnswer = false) : m_default(defaultAnswer) {}

    void QueueAnswer(bool answer) { m_answers.push_back(answer); }
    bool AskYesNo(const std::string& text) override;
    void Warn(const std::string& text) override;
    void Inform(const std::string& text) override;

    std::vector<std::string> questions;
    std::vector<std::string> warnings;
    std::vector<std::string> messages;

private:
    std::deque<bool> m_answers;
    bool m_default;
};
