#pragma once

#include <QString>

class QLocalSocket;

// Whether the process at the other end of a local connection runs as this process's user, and
// who it is, for the log. Asked before anything is read from the connection.
bool isSameUser(const QLocalSocket &socket, QString *peer);
