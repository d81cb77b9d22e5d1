#pragma once

#include <QString>

class QWidget;

// The program's file and folder dialogs, with a seam for tests: a queued name is returned
// instead of showing the dialog (an empty name stands for Cancel).
class CFileDialog
{
public:
    // filter in the dialog's own form, e.g. "XML Files (*.xml)".
    static QString GetOpenFileName(QWidget* parent, const QString& folder, const QString& filter);
    // Asks before overwriting; the default suffix is added when the name has none.
    static QString GetSaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                   const QString& defaultSuffix);
    // File-system folders only.
    static QString GetExistingDirectory(QWidget* parent, const QString& title, const QString& folder);

    static void SetNextFileName(const QString& name);
    static int PendingNames();
};

// A one-line text prompt (the order window's group name), with the same kind of seam.
class CTextPrompt
{
public:
    // False on Cancel.
    static bool GetText(QWidget* parent, const QString& title, const QString& label, QString& text);
    // The next prompt returns this text; a null QString stands for Cancel.
    static void SetNextText(const QString& text);
};
