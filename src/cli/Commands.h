#pragma once

#include "cli/CliContext.h"
#include "cli/CommandLine.h"

// One description per command (see CCommandSpec for adding one); each command returns the exit status.
extern const CCommandSpec VersionCommand;
extern const CCommandSpec UpdateCommand;
extern const CCommandSpec SettingsCommand;
extern const CCommandSpec InstallUpdateCommand;
extern const CCommandSpec LoadCommand;
extern const CCommandSpec FormulaCommand;
extern const CCommandSpec ReportCommand;
extern const CCommandSpec PlanCommand;
extern const CCommandSpec CompareCommand;
extern const CCommandSpec ProfitCommand;
extern const CCommandSpec OrderCommand;
extern const CCommandSpec WizardCommand;
extern const CCommandSpec GenerateCommand;

// Prints "moxa-cli: " and the message on standard error; returns the exit status for bad usage.
int UsageError(const std::string& message);
