#pragma once

#include <QLoggingCategory>

// The view object: the firmware check and what it hands to the QML root.
Q_DECLARE_LOGGING_CATEGORY(lcView)
