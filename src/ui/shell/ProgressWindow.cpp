#include "ui/shell/ProgressWindow.h"

#include "base/Messages.h"
#include "ui/shell/QtText.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

CProgressWindow::CProgressWindow(QWidget* parent) : QDialog(parent), m_bar(new QProgressBar(this))
{
    setWindowTitle(Tr(Messages::CachingInProgress));
    setModal(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    m_bar->setTextVisible(false);
    resize(320, 60);
}

void CProgressWindow::Begin(int files)
{
    ++m_runs;
    m_bar->setRange(0, std::max(files, 1));
    m_bar->setValue(0);
    show();
    raise();
    // The work starts 100 ms after the window opens, so it is painted first.
    QEventLoop wait;
    QTimer::singleShot(100, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void CProgressWindow::Step()
{
    m_bar->setValue(std::min(m_bar->value() + 1, m_bar->maximum()));
    // Keeps the window painted while the rebuild runs on this thread; no user input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CProgressWindow::End()
{
    hide();
}

int CProgressWindow::Position() const
{
    return m_bar->value();
}

int CProgressWindow::Maximum() const
{
    return m_bar->maximum();
}
