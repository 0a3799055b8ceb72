#include "view/medialog.h"

Q_LOGGING_CATEGORY(lcMedia, "r7.media")
