#include "view/startuplog.h"

// Off unless asked for ("r7.startup.debug=true"), like the interface's own lines in this
// category.
Q_LOGGING_CATEGORY(lcStartup, "r7.startup", QtWarningMsg)
