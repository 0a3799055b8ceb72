#pragma once

#include "storage/rulefiles.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What the rules file means: the profile a window calls for. A class matches either part of
// the window's WM_CLASS (instance or class name), a title pattern the whole title with "*" and
// "?" as wildcards; both ignore case. The first rule that matches wins.
class ProfileRules
{
public:
    // The window in front, as the watch sees it.
    struct Window {
        QString instance;
        QString windowClass;
        QString title;
    };

    // Reads the file; rules naming a profile the model does not have are skipped and said.
    static ProfileRules load(const QString &file, int profileCount);

    // The 0-based profile for the window, or -1 to leave the keyboard as it is.
    int profileFor(const Window &window) const;

    const RuleFiles::Content &content() const { return file; }
    // Why rules were skipped, one line each, empty when none was.
    const QStringList &problems() const { return file.problems; }

private:
    RuleFiles::Content file;
    QList<QRegularExpression> titles;
};
