#pragma once

#include "cli/CliContext.h"

// One function per command; each returns the process's exit status.
int CmdVersion(CCliContext& context, const CommandArgs& args);
int CmdSettings(CCliContext& context, const CommandArgs& args);
int CmdInstallUpdate(CCliContext& context, const CommandArgs& args);
int CmdLoad(CCliContext& context, const CommandArgs& args);
int CmdFormula(CCliContext& context, const CommandArgs& args);
int CmdReport(CCliContext& context, const CommandArgs& args);
int CmdPlan(CCliContext& context, const CommandArgs& args);
int CmdCompare(CCliContext& context, const CommandArgs& args);
int CmdOrder(CCliContext& context, const CommandArgs& args);
int CmdWizard(CCliContext& context, const CommandArgs& args);
int CmdUpdate(CCliContext& context, const CommandArgs& args);
int CmdGenerate(CCliContext& context, const CommandArgs& args);
