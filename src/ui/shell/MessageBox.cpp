#include "ui/shell/MessageBox.h"

#include <QMessageBox>

#include <deque>

namespace
{
std::deque<CMessageBox::EAnswer> s_answers;
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

CMessageBox::EAnswer ScriptedAnswer(const QString& text)
{
    s_log.append(text);
    if (s_answers.empty())
        return CMessageBox::EAnswer::No;
    const CMessageBox::EAnswer answer = s_answers.front();
    s_answers.pop_front();
    return answer;
}

// Texts are plain: a name with markup in it shows as typed. A text with line breaks of its
// own keeps exactly those: the box's word wrap would break its lines again at its own width
// and leave them ragged.
void SetBoxText(QMessageBox& box, const QString& text)
{
    if (!text.contains(QLatin1Char('\n')))
    {
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        return;
    }
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped()));
}

int RunBox(QWidget* parent, CMessageBox::EIcon icon, const QString& text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QtIcon(icon), Caption, QString(), buttons, parent);
    SetBoxText(box, text);
    box.setDefaultButton(defaultButton);
    return box.exec();
}
} // namespace

bool CMessageBox::AskYesNo(QWidget* parent, const QString& text, EIcon icon)
{
    if (s_scripted)
        return ScriptedAnswer(text) == EAnswer::Yes;
    return RunBox(parent, icon, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

CMessageBox::EAnswer CMessageBox::AskSaveDiscardCancel(QWidget* parent, const QString& text)
{
    if (s_scripted)
        return ScriptedAnswer(text);
    switch (RunBox(parent, EIcon::Warning, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                   QMessageBox::Save))
    {
    case QMessageBox::Save: return EAnswer::Yes;
    case QMessageBox::Discard: return EAnswer::No;
    default: return EAnswer::Cancel;
    }
}

void CMessageBox::Show(QWidget* parent, const QString& text, EIcon icon)
{
    if (s_scripted)
    {
        s_log.append(text);
        return;
    }
    RunBox(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

void CMessageBox::SetNextAnswer(bool yes)
{
    SetNextAnswer(yes ? EAnswer::Yes : EAnswer::No);
}

void CMessageBox::SetNextAnswer(EAnswer answer)
{
    s_scripted = true;
    s_answers.push_back(answer);
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

IPrompter::ESaveChoice CMessageBoxPrompter::AskSaveDiscardCancel(const std::string& text)
{
    switch (CMessageBox::AskSaveDiscardCancel(m_parent, QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()))))
    {
    case CMessageBox::EAnswer::Yes: return ESaveChoice::Save;
    case CMessageBox::EAnswer::No: return ESaveChoice::Discard;
    case CMessageBox::EAnswer::Cancel: break;
    }
    return ESaveChoice::Cancel;
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
