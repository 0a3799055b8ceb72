#pragma once

#include <QLoggingCategory>

// The bridge between the pages' values and the keyboard's commands, and the firmware check.
Q_DECLARE_LOGGING_CATEGORY(lcBridge)
