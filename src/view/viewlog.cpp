#include "view/viewlog.h"

Q_LOGGING_CATEGORY(lcView, "r7.view")
