#include "app/applog.h"

Q_LOGGING_CATEGORY(lcApp, "r7.app")
