#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running program per installation. The first start takes a lock named after the program's
// data folder and listens on a local socket of the same name; a later start finds the lock
// taken, asks the running program to show its window and ends. Two copies writing the same
// settings files would undo each other's changes and trip over each other's file locks. The
// command line uses the same socket: a connection that sends a request line is a command for
// the window, one that closes without sending anything asks for the window. Only this user's
// processes are listened to.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `dataFolder` is the program's modules/ folder: every start of one installation names it.
    explicit SingleInstance(const QString &dataFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one instance; false when another one runs, which has
    // then been asked for its window. A lock that cannot be made at all (a read-only temporary
    // folder) does not keep the program from starting.
    bool acquire();

Q_SIGNALS:
    // Another start asked for the window.
    void activationRequested();
    // A request line, within the size a request may have, from a process of this user; the
    // answer goes to `connection`.
    void commandReceived(QLocalSocket *connection, const QByteArray &request);

private:
    bool askRunningInstance() const;
    void listen();
    void accept(QLocalSocket *socket);

    QString key;
    QLockFile lock;
    QLocalServer *server = nullptr;
};
