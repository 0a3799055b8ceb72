#include "storage/settingslog.h"

Q_LOGGING_CATEGORY(lcSettings, "r7.settings")
