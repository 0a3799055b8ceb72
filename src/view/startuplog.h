#pragma once

#include <QLoggingCategory>

// The steps of the start-up and the frames drawn meanwhile, each line stamped by the message
// pattern: `tools/startup-breakdown.sh` turns them into the time each step takes.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
