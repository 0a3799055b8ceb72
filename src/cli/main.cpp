#include "cli/commandparser.h"
#include "cli/oneowner.h"
#include "storage/executabledirectory.h"
#include "watch/watchcommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTextStream>

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
    if (command.verb == CliCommand::Verb::Watch)
        return runWatch(out, err);
    const CliResult result = carryOut(command, {directory, arguments});
    out << result.out;
    err << result.err;
    return result.status;
}
