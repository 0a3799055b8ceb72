#include "device/devicelog.h"

Q_LOGGING_CATEGORY(lcDevice, "r7.device")
