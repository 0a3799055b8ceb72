#pragma once

#include "cli/clicommand.h"
#include "cli/cliresult.h"
#include "cli/forwardedrequest.h"

// Carries a command out under the one-owner rule: handed to the window when it runs, else here
// while holding the instance lock, for this command only. `request` is the same command as
// r7ctl's arguments, for the window. Call with the data folders entered.
CliResult carryOut(const CliCommand &command, const ForwardedRequest::Request &request);
