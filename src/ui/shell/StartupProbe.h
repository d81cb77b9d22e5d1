#pragma once

#include <cstdint>
#include <string>

class QWidget;

// The benchmark's view of a start: with MOXA_STARTUP_PROBE set, the program prints
// "toolbar-shown NS" (CLOCK_MONOTONIC) once the toolbar has been painted, and quits with
// status 0. Without the variable nothing changes.
bool StartupProbeRequested();
// The probe's line for a clock reading, with its line break.
std::string StartupProbeLine(std::int64_t monotonicNs);
// Watches the shown toolbar for its first paint.
void ArmStartupProbe(QWidget* toolbar);
