#pragma once

#include <QString>

// The window and the command line of one installation share one lock file and one local
// socket, both named after the user's data folder: whoever holds the lock owns the keyboard
// and the files, and the window listens on the socket while it runs.
namespace InstanceName
{
// The lock and socket name for a data folder.
QString keyFor(const QString &dataFolder);
// Where the lock of `key` lives.
QString lockPath(const QString &key);
} // namespace InstanceName
