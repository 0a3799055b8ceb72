#pragma once

#include <QLoggingCategory>

// Commands dropped, the keyboard lost: what the device object has to say.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
