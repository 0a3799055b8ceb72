#include "cli/clilog.h"

Q_LOGGING_CATEGORY(lcCli, "r7.cli")
