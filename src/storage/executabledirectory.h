#pragma once

#include <QString>

// The folder of the executable as the program sees it: applicationFilePath up to its last "/".
// A path without any "/" is returned unchanged.
QString executableDirectory(const QString &applicationFilePath);

// Every shipped data path starts with "./modules/", so the program works in the folder that
// holds modules/ whatever folder it was started from: the executable's own, or, when installed,
// the shared data folder at `sharedFromExecutable` (relative to the executable's folder), with
// the user's files in the user's data folder. A folder that cannot be entered is ignored: the
// readers then fall back to their defaults.
void enterDataFolders(const QString &sharedFromExecutable = QString());
