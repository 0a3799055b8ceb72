#pragma once

#include "cli/cliresult.h"
#include "cli/forwardedrequest.h"

class QLocalSocket;

// Hands a command to the running window over its socket and waits for the window to carry it
// out: the window queues commands and runs them one at a time, so each waits for those before.
CliResult forwardToWindow(QLocalSocket &window, const ForwardedRequest::Request &request);
