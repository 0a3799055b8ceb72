#include "app/singleinstance.h"

#include "app/applog.h"
#include "app/peeruser.h"
#include "cli/forwardedrequest.h"
#include "storage/instancename.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>

namespace
{
constexpr int connectTimeoutMs = 1000;
// The holder of the lock is either a window, which listens a moment after it has taken the
// lock, or the command line, which holds it for one command and has no socket: a start waits
// up to five seconds for either to answer or to let go.
constexpr int handOverAttempts = 50;
constexpr int handOverPauseMs = 100;
// A connection says what it wants within this time or is dropped.
constexpr int requestTimeoutMs = 5000;
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
    connect(server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server->nextPendingConnection())
            accept(socket);
    });
}

// The connection's state lives on the socket: "partial" what came so far, "request" set once a
// whole request came or the connection was refused.
void SingleInstance::accept(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QString peer;
    if (!isSameUser(*socket, &peer)) {
        qCWarning(lcApp) << "Refusing a connection from" << peer << "- not this user's";
        socket->abort();
        return;
    }
    const auto refuse = [socket, peer](const char *why) {
        qCWarning(lcApp) << "Refusing a request from" << peer << "-" << why;
        socket->setProperty("request", QByteArray("refused"));
        socket->abort();
    };
    QTimer::singleShot(requestTimeoutMs, socket, [socket, refuse] {
        if (!socket->property("request").isValid())
            refuse("no whole request in time");
    });
    // Nothing sent before the other end closes: a later start of the window asks for it.
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
        if (!socket->property("request").isValid() && !socket->property("partial").isValid())
            emit activationRequested();
    });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, refuse] {
        if (socket->property("request").isValid()) {
            socket->readAll();
            return;
        }
        const QByteArray partial = socket->property("partial").toByteArray() + socket->readAll();
        const qsizetype end = partial.indexOf('\n');
        if (partial.size() > ForwardedRequest::maxRequestBytes) {
            refuse("too long");
            return;
        }
        if (end < 0) {
            socket->setProperty("partial", partial);
            return;
        }
        if (end + 1 < partial.size()) {
            refuse("more than one");
            return;
        }
        socket->setProperty("request", partial);
        emit commandReceived(socket, partial);
    });
}
