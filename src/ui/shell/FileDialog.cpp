#include "ui/shell/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QStandardPaths>
#include <QUrl>

#include <deque>

namespace
{
std::deque<QString> s_names;
std::deque<QString> s_texts;

bool TakeScripted(std::deque<QString>& queue, QString& value)
{
    if (queue.empty())
        return false;
    value = queue.front();
    queue.pop_front();
    return true;
}
// Orders are kept in the data folder; the player's documents folder is listed beside it.
void AddPlaces(QFileDialog& dialog, const QString& folder)
{
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& place : {folder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)})
        if (!place.isEmpty() && !places.contains(QUrl::fromLocalFile(place)))
            places << QUrl::fromLocalFile(place);
    dialog.setSidebarUrls(places);
}

QString Chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

QString CFileDialog::GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter)
{
    QString name;
    if (TakeScripted(s_names, name))
        return name;
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    AddPlaces(dialog, folder);
    return Chosen(dialog);
}

QString CFileDialog::GetSaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                     const QString& defaultSuffix)
{
    QString name;
    if (!TakeScripted(s_names, name))
    {
        QFileDialog dialog(parent, QString(), folder, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(defaultSuffix);
        AddPlaces(dialog, folder);
        return Chosen(dialog);
    }
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultSuffix;
    return name;
}

QString CFileDialog::GetExistingDirectory(QWidget* parent, const QString& title, const QString& folder)
{
    QString name;
    if (TakeScripted(s_names, name))
        return name;
    return QFileDialog::getExistingDirectory(parent, title, folder, QFileDialog::ShowDirsOnly);
}

void CFileDialog::SetNextFileName(const QString& name)
{
    s_names.push_back(name);
}

int CFileDialog::PendingNames()
{
    return static_cast<int>(s_names.size());
}

bool CTextPrompt::GetText(QWidget* parent, const QString& title, const QString& label, QString& text)
{
    QString scripted;
    if (TakeScripted(s_texts, scripted))
    {
        if (scripted.isNull())
            return false;
        text = scripted;
        return true;
    }
    bool ok = false;
    text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, QString(), &ok);
    return ok;
}

void CTextPrompt::SetNextText(const QString& text)
{
    s_texts.push_back(text);
}
