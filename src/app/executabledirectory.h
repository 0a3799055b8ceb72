#pragma once

#include <QString>

// The folder of the executable as the program sees it: applicationFilePath up to its last "/".
// A path without any "/" is returned unchanged.
QString executableDirectory(const QString &applicationFilePath);

// Every data path starts with "./modules/", so the program works in its own folder whatever
// folder it was started from. A folder that cannot be entered is ignored: the readers then fall
// back to their defaults.
void makeExecutableDirectoryCurrent();
