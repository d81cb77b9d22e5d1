#pragma once

#include "base/Prompter.h"

#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the program goes through here, so tests can answer them: queued
// answers are taken instead of showing a box, and while answers are scripted nothing
// modal appears at all; every text is recorded.
class CMessageBox
{
public:
    enum class EIcon
    {
        Question,
        Information,
        Warning,
        Stop
    };

    enum class EAnswer
    {
        Yes,
        No,
        Cancel
    };

    // Yes/No; true for Yes.
    static bool AskYesNo(QWidget* parent, const QString& text, EIcon icon = EIcon::Question);
    // Save, Discard or Cancel, answered as Yes, No or Cancel.
    static EAnswer AskSaveDiscardCancel(QWidget* parent, const QString& text);
    // An OK box.
    static void Show(QWidget* parent, const QString& text, EIcon icon = EIcon::Information);

    // Test seam: the next question gets this answer; switches scripted mode on.
    static void SetNextAnswer(bool yes);
    static void SetNextAnswer(EAnswer answer);
    // Scripted mode without queued answers: questions answer No, boxes are only recorded.
    static void SetScripted(bool scripted);
    static bool IsScripted();
    // Texts asked or shown in scripted mode, in order; cleared by TakeLog.
    static QStringList TakeLog();
    static int PendingAnswers();
};

// The core's questions and warnings as message boxes over a parent window.
class CMessageBoxPrompter : public IPrompter
{
public:
    explicit CMessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool AskYesNo(const std::string& text) override;
    void Warn(const std::string& text) override;
    void Inform(const std::string& text) override;
    ESaveChoice AskSaveDiscardCancel(const std::string& text) override;

private:
    QWidget* m_parent;
};
