#include "cli/instanceclaim.h"

#include "cli/clilog.h"
#include "storage/instancename.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace
{
constexpr int connectTimeoutMs = 500;
constexpr int retryMs = 20;
} // namespace

InstanceClaim::InstanceClaim(const QString &dataFolder)
    : key(InstanceName::keyFor(dataFolder)), lock(InstanceName::lockPath(key))
{
    // Only a dead owner makes the lock stale, never its age.
    lock.setStaleLockTime(0);
}

InstanceClaim::Outcome InstanceClaim::claim(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (lock.tryLock(0))
            return Outcome::Owned;
        if (lock.error() != QLockFile::LockFailedError) {
            // As the window does: a lock that cannot be made at all does not stop the program.
            qCWarning(lcCli) << "Cannot make the instance lock" << InstanceName::lockPath(key)
                             << "- going on without it";
            return Outcome::Owned;
        }
        if (connectToWindow())
            return Outcome::WindowRuns;
        if (deadline.hasExpired())
            return Outcome::Busy;
        if (lock.tryLock(retryMs))
            return Outcome::Owned;
    }
}

InstanceClaim::~InstanceClaim() = default;

bool InstanceClaim::connectToWindow()
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(key);
    if (!socket->waitForConnected(connectTimeoutMs))
        return false;
    connection = std::move(socket);
    return true;
}
