#pragma once

#include "cli/clicommand.h"

#include <QString>
#include <QStringList>

#include <optional>

// Reads r7ctl's arguments (without the program's name) into a command. The same parser reads
// the requests the window carries out for r7ctl, so both accept exactly the same words.
class CommandParser
{
public:
    struct Result {
        std::optional<CliCommand> command;
        // Why the arguments were refused, with what to do instead.
        QString error;
    };

    // File names are taken relative to `directory`, where r7ctl was started.
    static Result parse(const QStringList &arguments, const QString &directory);

    // The help of a command, or of r7ctl as a whole for an empty or unknown name.
    static QString help(const QString &command);
    static QString version();
    // The commands, for completion.
    static QStringList commandNames();
};
