#include "ui/shell/MessageBox.h"

#include <QMessageBox>

#include <deque>

namespace
{
std::deque<bool> s_answers;
bool s_scripted = false;
QStringList s_log;

QMessageBox::Icon QtIcon(CMessageBox::EIcon icon)
{
    switch (icon)
    {
    case CMessageBox::EIcon::Question: return QMessageBox::Question;
    case CMessageBox::EIcon::Information: return QMessageBox::Information;
    case CMessageBox::EIcon::Warning: return QMessageBox::Warning;
    case CMessageBox::EIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

const QString Caption = QStringLiteral("Moxa");
} // namespace

bool CMessageBox::AskYesNo(QWidget* parent, const QString& text, EIcon icon)
{
    if (s_scripted)
    {
        s_log.append(text);
        if (s_answers.empty())
            return false;
        const bool answer = s_answers.front();
        s_answers.pop_front();
        return answer;
    }
    QMessageBox box(QtIcon(icon), Caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void CMessageBox::Show(QWidget* parent, const QString& text, EIcon icon)
{
    if (s_scripted)
    {
        s_log.append(text);
        return;
    }
    QMessageBox box(QtIcon(icon), Caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void CMessageBox::SetNextAnswer(bool yes)
{
    s_scripted = true;
    s_answers.push_back(yes);
}

void CMessageBox::SetScripted(bool scripted)
{
    s_scripted = scripted;
    if (!scripted)
        s_answers.clear();
}

bool CMessageBox::IsScripted()
{
    return s_scripted;
}

QStringList CMessageBox::TakeLog()
{
    QStringList log;
    log.swap(s_log);
    return log;
}

int CMessageBox::PendingAnswers()
{
    return static_cast<int>(s_answers.size());
}

bool CMessageBoxPrompter::AskYesNo(const std::string& text)
{
    return CMessageBox::AskYesNo(m_parent, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void CMessageBoxPrompter::Warn(const std::string& text)
{
    CMessageBox::Show(m_parent, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                      CMessageBox::EIcon::Warning);
}

void CMessageBoxPrompter::Inform(const std::string& text)
{
    CMessageBox::Show(m_parent, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())),
                      CMessageBox::EIcon::Information);
}
