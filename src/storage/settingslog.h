#pragma once

#include <QLoggingCategory>

// The settings, profile and language files: reading, replacing and clearing up after them.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
