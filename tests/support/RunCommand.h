#pragma once

#include <string>

struct CCommandRun
{
    int status = -1; // the exit status; -1 when the command did not exit normally
    std::string out; // what it wrote to standard output
};

// Runs a shell command line and collects its standard output.
CCommandRun RunShellCommand(const std::string& command);
