#include "app/singleinstance.h"

#include "app/applog.h"
#include "storage/instancename.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

namespace
{
constexpr int connectTimeoutMs = 1000;
// The holder of the lock is either a window, which listens a moment after it has taken the
// lock, or the command line, which holds it for one command and has no socket: a start waits
// up to five seconds for either to answer or to let go.
constexpr int handOverAttempts = 50;
constexpr int handOverPauseMs = 100;
using InstanceName::lockPath;
} // namespace

SingleInstance::SingleInstance(const QString &dataFolder, QObject *parent)
    : QObject(parent), key(InstanceName::keyFor(dataFolder)), lock(lockPath(key))
{
    // The lock is held for the whole run: only a dead owner makes it stale, never its age.
    lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::acquire()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (lock.tryLock(0)) {
            listen();
            return true;
        }
        if (lock.error() != QLockFile::LockFailedError) {
            qCWarning(lcApp) << "Cannot make the instance lock" << lockPath(key)
                             << "- starting without it";
            return true;
        }
        for (int i = 0; i < handOverAttempts; ++i) {
            if (askRunningInstance())
                return false;
            if (lock.tryLock(handOverPauseMs)) {
                listen();
                return true;
            }
        }
        qint64 pid = 0;
        QString host;
        QString application;
        if (lock.getLockInfo(&pid, &host, &application)) {
            qCWarning(lcApp) << "The program runs already as process" << pid
                             << "but does not answer";
            return false;
        }
        // A lock without its owner's details was left by a start killed the moment it made it.
        qCInfo(lcApp) << "Removing the unfinished instance lock" << lockPath(key);
        QFile::remove(lockPath(key));
    }
    return false;
}

bool SingleInstance::askRunningInstance() const
{
    QLocalSocket socket;
    socket.connectToServer(key);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    qCInfo(lcApp) << "The program runs already: showing its window";
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen()
{
    // A socket left by a killed run belongs to nobody: this process holds the lock.
    QLocalServer::removeServer(key);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(key)) {
        qCWarning(lcApp) << "Cannot listen for later starts:" << server->errorString();
        return;
    }
    // A connection is the whole request.
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromServer();
            emit activationRequested();
        }
    });
}
