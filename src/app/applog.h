#pragma once

#include <QLoggingCategory>

// Start-up, the main window and the device-change watch.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
