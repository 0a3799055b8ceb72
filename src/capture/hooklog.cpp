#include "capture/hooklog.h"

Q_LOGGING_CATEGORY(lcHook, "r7.hook")
