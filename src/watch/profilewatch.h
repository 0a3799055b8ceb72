#pragma once

#include "backend/profilerules.h"
#include "cli/cliresult.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class ActiveWindow;

// Follows the window in front and makes the keyboard's profile the one the rules give it. A
// burst of changes (alt-tab through windows) is acted on once, for the window that stays in
// front; the switch itself says nothing to the keyboard when its profile is already the one
// wanted. The rules file is read again whenever it changes, and a keyboard that was missing is
// switched once device nodes change.
class ProfileWatch : public QObject
{
    Q_OBJECT

public:
    // Makes the 0-based profile current under the one-owner rule, sending nothing when it is.
    using Switch = std::function<CliResult(int profile)>;
    // Where the watch says what it skipped and what went wrong.
    using Report = std::function<void(const QString &line)>;

    // The time a window must stay in front before it is acted on.
    static constexpr int settleMs = 150;

    ProfileWatch(ActiveWindow &window, const QString &rulesFile, int profileCount, Switch change,
                 Report report);

Q_SIGNALS:
    // A window was acted on: `profile` was wanted (-1: leave as is), with the switch's result.
    void acted(int profile, int status);

private:
    // Reads the rules again when the file is not what was read last; true when it was not.
    bool loadRules();
    void act();

    ActiveWindow &window;
    QString rulesFile;
    int profileCount;
    Switch change;
    Report report;
    ProfileRules rules;
    // The file as last read: the folder also changes when the switch stores the profile.
    std::optional<QByteArray> loaded;
    QTimer settle;
    QFileSystemWatcher files;
    // Set while the keyboard could not be switched, until device nodes change.
    bool keyboardMissing = false;
};
