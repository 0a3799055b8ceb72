#include "cli/oneowner.h"

#include "backend/backend.h"
#include "cli/commandrunner.h"
#include "cli/instanceclaim.h"
#include "cli/standalonefront.h"
#include "cli/windowclient.h"
#include "device/hidthread.h"
#include "storage/datalocations.h"
#include "storage/leftoverfiles.h"

namespace
{
// A command holds the lock for well under a second; a window starting takes longer to listen.
constexpr int claimTimeoutMs = 10000;

CliResult runHere(const CliCommand &command)
{
    removeLeftoverFiles();
    // The device object outlives the backend, which writes the files out as it goes.
    Hid_Thread hid;
    Backend backend;
    backend.bridge().setHidThread(&hid);
    StandaloneFront front(backend);
    CommandRunner runner(backend, front);
    CliResult result = runner.run(command);
    const QStringList setAside = backend.takeSetAsideFiles();
    if (!setAside.isEmpty())
        result.err += QStringLiteral("r7ctl: these files were damaged and were set aside; the "
                                     "factory settings are used in their place: %1\n")
                          .arg(setAside.join(QStringLiteral(", ")));
    return result;
}
} // namespace

CliResult carryOut(const CliCommand &command, const ForwardedRequest::Request &request)
{
    InstanceClaim claim(DataLocations::userFolder());
    switch (claim.claim(claimTimeoutMs)) {
    case InstanceClaim::Outcome::Owned:
        return runHere(command);
    case InstanceClaim::Outcome::WindowRuns:
        // The window owns the keyboard while it runs: it carries the command out.
        return forwardToWindow(*claim.window(), request);
    case InstanceClaim::Outcome::Busy:
        break;
    }
    return CliResult::keyboardProblem(
        QStringLiteral("r7ctl: another program of R7 Configurator holds the keyboard and "
                       "does not let go. Try again in a moment.\n"));
}
