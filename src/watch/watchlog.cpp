#include "watch/watchlog.h"

Q_LOGGING_CATEGORY(lcWatch, "r7.watch")
