#pragma once

#include <QLoggingCategory>

// Which source of system-wide input the hook listens to and why one failed. Never a key.
Q_DECLARE_LOGGING_CATEGORY(lcHook)
