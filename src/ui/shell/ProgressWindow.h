#pragma once

#include "database/Loader.h"

#include <QDialog>

class QProgressBar;

// "Caching In Progress": shown and painted before the rebuild reads its first file, one
// step per file, closed when the rebuild ends.
class CProgressWindow : public QDialog, public ILoadProgress
{
    Q_OBJECT

public:
    explicit CProgressWindow(QWidget* parent = nullptr);

    void Begin(int files) override;
    void Step() override;
    void End() override;

    int Position() const;
    int Maximum() const;
    // How many rebuilds this window has shown (tests tell a cache load from a rebuild).
    int Runs() const { return m_runs; }

private:
    QProgressBar* m_bar;
    int m_runs = 0;
};
