#pragma once

#include <QByteArray>
#include <QString>

class QSettings;

// Replaces the file behind `settings` by a copy of `source` (see replaceFileAtomically) and
// returns a fresh settings object, without parent, on the same file; `settings` is deleted.
// When the source cannot be copied the file keeps its content and the new object reads it.
// `replaced`, when given, tells which of the two happened.
QSettings *replaceSettingsFile(QSettings *settings, const QString &source,
                               bool *replaced = nullptr);

// The same with content already read (and checked) instead of a source file.
QSettings *replaceSettingsContent(QSettings *settings, const QByteArray &content,
                                  bool *replaced = nullptr);
