#pragma once

#include <QLoggingCategory>

// The view object: what it hands to the QML root and what it tells the user.
Q_DECLARE_LOGGING_CATEGORY(lcView)
