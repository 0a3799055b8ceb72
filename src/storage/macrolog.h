#pragma once

#include <QLoggingCategory>

// The macro store and the macro writes to the keyboard.
Q_DECLARE_LOGGING_CATEGORY(lcMacro)
