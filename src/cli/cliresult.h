#pragma once

#include <QString>

// What a command did: its exit status and what it prints, kept apart from the streams so the
// window can carry out a command for r7ctl and hand all three back.
struct CliResult {
    // The exit statuses of r7ctl.
    enum Status {
        Done = 0,
        // The keyboard is absent or refused, did not take the change, or vanished.
        KeyboardProblem = 1,
        // Bad usage, an unknown name, a value out of range or a refused file: nothing was sent
        // and nothing stored.
        BadUsage = 2,
    };

    int status = Done;
    QString out;
    QString err;

    static CliResult done(const QString &out = QString()) { return {Done, out, QString()}; }
    static CliResult keyboardProblem(const QString &err) { return {KeyboardProblem, {}, err}; }
    static CliResult badUsage(const QString &err) { return {BadUsage, {}, err}; }
};
