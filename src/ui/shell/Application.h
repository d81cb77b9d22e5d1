#pragma once

// The desktop program's start-up and run; returns the process's exit status.
int RunMoxa(int argc, char** argv);
