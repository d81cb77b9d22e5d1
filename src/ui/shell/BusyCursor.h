#pragma once

#include <QApplication>
#include <QCursor>

// The busy cursor for as long as it lives: work on the windows' thread that takes longer
// than a moment (a report of a large order, a load) shows it, and every way out restores it.
class CBusyCursor
{
public:
    CBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CBusyCursor() { QApplication::restoreOverrideCursor(); }
    CBusyCursor(const CBusyCursor&) = delete;
    CBusyCursor& operator=(const CBusyCursor&) = delete;
};
