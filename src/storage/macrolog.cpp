#include "storage/macrolog.h"

Q_LOGGING_CATEGORY(lcMacro, "r7.macro")
