#pragma once

#include <QString>
#include <QStringList>

// One r7ctl command as the parser understood it: every word checked against the command's
// grammar, every number within its range. Names that only the user's files can confirm (keys,
// macros, profile numbers beyond the model's count) are checked when the command runs, before
// anything is sent.
struct CliCommand {
    enum class Verb {
        Help,
        Version,
        Status,
        Profile,
        Lighting,
        Key,
        KeyReset,
        Gaming,
        List,
        Import,
        Export,
        Rule,
        Watch,
    };

    Verb verb = Verb::Help;
    // The command whose help was asked for (empty: the overview), or what to list.
    QString topic;
    bool json = false;

    // 1-based, as the profile menu shows it; 0 when not given.
    int profile = 0;
    // The macro an import or export is for; empty for a profile.
    QString macro;
    QString file;

    // Lighting: the type, then each of the page's controls, -1 where not given.
    int lightingType = -1;
    int brightnessLevel = -1; // 0-7
    int speedLevel = -1;      // 1-7, 7 the fastest
    int colour = -1;          // palette index 0-6, 7 LOOP
    int direction = -1;       // 0 rightwards, 1 leftwards

    // Key: the key as the key page names it, and the target ("macro:NAME", a media function or
    // a standard key), or the key to reset ("all" for every key).
    QString key;
    QString target;

    bool gamingOn = false;

    // Rule: the action (add, remove, list, default) in `topic`; for add the match ("class" or
    // "title") in `key`, the class or pattern in `target` and the profile in `profile` (0 for
    // the default "keep"); the 1-based rule to remove.
    int rule = 0;
};
