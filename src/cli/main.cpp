#include "backend/backend.h"
#include "cli/commandparser.h"
#include "cli/commandrunner.h"
#include "cli/instanceclaim.h"
#include "cli/standalonefront.h"
#include "cli/windowclient.h"
#include "device/hidthread.h"
#include "storage/datalocations.h"
#include "storage/executabledirectory.h"
#include "storage/leftoverfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTextStream>

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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The window's name: the same user data folder and the same instance lock.
    QCoreApplication::setApplicationName(QStringLiteral("R7Configurator"));
    QCoreApplication::setApplicationVersion(QStringLiteral(R7_VERSION));
    // Scripts read stderr for the command's own messages; QT_LOGGING_RULES brings the log back.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QStringList arguments = app.arguments().mid(1);
    // Taken before the program enters its data folder.
    const QString directory = QDir::currentPath();
    const CommandParser::Result parsed = CommandParser::parse(arguments, directory);
    if (!parsed.command) {
        err << parsed.error;
        return CliResult::BadUsage;
    }
    const CliCommand &command = *parsed.command;
    if (command.verb == CliCommand::Verb::Help) {
        out << CommandParser::help(command.topic);
        return CliResult::Done;
    }
    if (command.verb == CliCommand::Verb::Version) {
        out << CommandParser::version();
        return CliResult::Done;
    }

    enterDataFolders(QStringLiteral(R7_SHARED_FROM_EXECUTABLE));
    InstanceClaim claim(DataLocations::userFolder());
    CliResult result;
    switch (claim.claim(claimTimeoutMs)) {
    case InstanceClaim::Outcome::Owned:
        result = runHere(command);
        break;
    case InstanceClaim::Outcome::WindowRuns:
        // The window owns the keyboard while it runs: it carries the command out.
        result = forwardToWindow(*claim.window(), {directory, arguments});
        break;
    case InstanceClaim::Outcome::Busy:
        result = CliResult::keyboardProblem(
            QStringLiteral("r7ctl: another program of R7 Configurator holds the keyboard and "
                           "does not let go. Try again in a moment.\n"));
        break;
    }
    out << result.out;
    err << result.err;
    return result.status;
}
