#include "ui/shell/PrintDialog.h"

#include "ui/shell/MessageBox.h"

#include <QPrintDialog>
#include <QPrinter>

#include <deque>

namespace
{
std::deque<QString> s_files;
} // namespace

bool CPrintDialog::Exec(QPrinter& printer, QWidget* parent)
{
    if (!s_files.empty())
    {
        const QString path = s_files.front();
        s_files.pop_front();
        if (path.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    if (CMessageBox::IsScripted())
        return false;
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CPrintDialog::SetNextOutputFile(const QString& path)
{
    s_files.push_back(path);
}

int CPrintDialog::PendingFiles()
{
    return static_cast<int>(s_files.size());
}
