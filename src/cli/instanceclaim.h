#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

class QLocalSocket;

// r7ctl's share of the one-owner rule: the keyboard and the user's files have one owner at a
// time, the holder of the instance lock. A running window holds it and listens on the socket
// of the same name; another r7ctl holds it for one command, and is waited for.
class InstanceClaim
{
public:
    enum class Outcome {
        // This process holds the lock until the claim is destroyed.
        Owned,
        // The window runs and listens: the command is for it, over window().
        WindowRuns,
        // Someone kept the lock for the whole wait without listening.
        Busy,
    };

    explicit InstanceClaim(const QString &dataFolder);
    ~InstanceClaim();

    Outcome claim(int timeoutMs);
    // The connection to the running window, after WindowRuns.
    QLocalSocket *window() const { return connection.get(); }

private:
    bool connectToWindow();

    QString key;
    QLockFile lock;
    std::unique_ptr<QLocalSocket> connection;
};
