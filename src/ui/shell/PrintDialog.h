#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The print dialog, with a seam for tests: a queued file name is taken instead of showing
// the dialog, and the printer writes a PDF there (an empty name stands for Cancel). While
// message boxes are scripted and nothing is queued, the dialog is cancelled unseen.
class CPrintDialog
{
public:
    // True when the player chose to print.
    static bool Exec(QPrinter& printer, QWidget* parent);

    static void SetNextOutputFile(const QString& path);
    static int PendingFiles();
};
