#pragma once

#include <QLoggingCategory>

// The settings, profile and language files the view reads and replaces.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
