#include "app/peeruser.h"

#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

// The kernel's record of who connected (SO_PEERCRED): the user id of the connecting process
// when it called connect, which it cannot forge.
bool isSameUser(const QLocalSocket &socket, QString *peer)
{
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    if (getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                   &length) != 0 ||
        length != sizeof(credentials)) {
        *peer = QStringLiteral("an unknown process");
        return false;
    }
    *peer = QStringLiteral("process %1 of user %2").arg(credentials.pid).arg(credentials.uid);
    return credentials.uid == geteuid();
}
