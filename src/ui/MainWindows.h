#pragma once

// Where the program's windows are made and wired: the tool windows' makers, the toolbar, the
// start-up that shows them. Every other window knows only the shell's base classes and the
// application context's window bus.

#include <QStringList>

class CAppContext;
class CToolbarWindow;

// How long handed-over orders wait while a dialog is open.
inline constexpr int HandedOrderRetryMs = 250;

// Makes the tool windows known to the toolbar, which makes each on first use.
void RegisterOrderWindows();

// Order files from the command line or from a later start on the same data folder (absolute
// paths): the toolbar comes to the front, an unsaved order is offered for saving first, each
// is opened as File > Open does and the order window shown.
void OpenHandedOrders(CAppContext& app, CToolbarWindow& toolbar, const QStringList& orders);

// The desktop program's start-up and run; returns the process's exit status.
int RunMoxa(int argc, char** argv);
