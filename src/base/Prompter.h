#pragma once

#include <string>

// How the core asks and warns: the windows implement it with message boxes, the command
// line with standard error and --yes, the tests with a scripted fake.
class IPrompter
{
public:
    virtual ~IPrompter() = default;
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A warning or an error message the user must see.
    virtual void Warn(const std::string& text) = 0;
    // A plain information message.
    virtual void Inform(const std::string& text) { Warn(text); }

    enum class ESaveChoice
    {
        Save,
        Discard,
        Cancel
    };
    // Save, Discard or Cancel; where there is no third answer, yes saves and no discards.
    virtual ESaveChoice AskSaveDiscardCancel(const std::string& text)
    {
        return AskYesNo(text) ? ESaveChoice::Save : ESaveChoice::Discard;
    }
};

// Answers every question with a fixed answer and forgets the warnings.
class CSilentPrompter : public IPrompter
{
public:
    explicit CSilentPrompter(bool answer = false) : m_answer(answer) {}
    bool AskYesNo(const std::string&) override { return m_answer; }
    void Warn(const std::string&) override {}

private:
    bool m_answer;
};
