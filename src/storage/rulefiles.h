#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules file of the profile watch, setting/rules.bin in the user's folder: which profile
// a window in front calls for. The user edits it with r7ctl or by hand, so it is read through
// the strict reader one rule at a time: a faulty rule is named and skipped, the others still
// count.
namespace RuleFiles
{
struct Record {
    // One of the two is set: a WM_CLASS part, or a title pattern.
    QString windowClass;
    QString title;
    // 1-based, as the profile menu shows it.
    int profile = 0;
};

struct Content {
    QList<Record> rules;
    // The profile for windows no rule matches, 1-based; 0 leaves the keyboard as it is.
    int defaultProfile = 0;
    // What was skipped and why, one sentence each, with the line.
    QStringList problems;
};

QString path();

// A missing file is no rules and no problem.
Content read(const QString &file);

// Replaces the file atomically with exactly these rules; false when it cannot be written.
bool write(const QString &file, const QList<Record> &rules, int defaultProfile);
} // namespace RuleFiles
