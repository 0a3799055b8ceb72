#pragma once

#include "cli/clicommand.h"
#include "cli/cliresult.h"

#include <QObject>
#include <QVariantList>

class Backend;
class CommandFront;

// Carries out one r7ctl command on the backend's objects, the same calls the window's pages
// make for the same action: alone in r7ctl or inside the window for it. Every name and value
// is checked before anything is sent or stored. Runs on the GUI thread.
class CommandRunner : public QObject
{
    Q_OBJECT

public:
    CommandRunner(Backend &backend, CommandFront &front);

    CliResult run(const CliCommand &command);

private:
    CliResult status(bool json);
    CliResult profile(int profile);
    CliResult lighting(const CliCommand &command);
    CliResult key(const QString &key, const QString &target);
    CliResult resetKey(const QString &key);
    CliResult gaming(bool on);
    CliResult list(const QString &topic);
    CliResult importFile(const CliCommand &command);
    CliResult exportFile(const CliCommand &command);
    CliResult rule(const CliCommand &command);

    // Empty when the keyboard may be driven, else why not.
    QString keyboardProblem();
    // Waits for the set commands sent to finish; false when one did not reach the keyboard.
    bool settle();
    // The matrix position of a key by its name on the key page, -1 when there is none.
    int keyPosition(const QString &name) const;
    // The key codes of every matrix position as the profile holds them.
    QList<int> storedMatrix() const;
    CliResult sendMatrix(const QList<int> &codes, const QString &done);
    // The profile a file command is for, 0-based, or -1 with `error` set.
    int fileProfile(const CliCommand &command, CliResult &error);

    Backend &backend;
    CommandFront &front;
    bool keyboardPrepared = false;
    bool changeRefused = false;
};
