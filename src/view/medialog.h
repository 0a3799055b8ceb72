#pragma once

#include <QLoggingCategory>

// The interface sounds.
Q_DECLARE_LOGGING_CATEGORY(lcMedia)
