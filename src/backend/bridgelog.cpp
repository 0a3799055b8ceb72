#include "backend/bridgelog.h"

Q_LOGGING_CATEGORY(lcBridge, "r7.bridge")
