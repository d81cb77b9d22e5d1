#pragma once

// Where the program's windows are made and wired: the tool windows' makers, the toolbar, the
// start-up that shows them. Every other window knows only the shell's base classes and the
// application context's window bus.

// Makes the tool windows known to the toolbar, which makes each on first use.
void RegisterOrderWindows();

// The desktop program's start-up and run; returns the process's exit status.
int RunMoxa(int argc, char** argv);
