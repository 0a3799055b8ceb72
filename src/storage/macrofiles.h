#pragma once

#include <QString>

class QSettings;

// Where macros live: one INI file per macro, "./modules/macro/" + name + ".bin", in the
// program's folder, which start-up makes current.
namespace MacroFiles
{
QString folder();
QString path(const QString &name);

// "Macro. " and the number, at least three digits: 1 gives "Macro. 001".
QString standardName(int number);

// Names come from the UI and become file names: one that could address a file outside the
// macro folder (a path separator, a drive or stream colon, "." or "..") is refused. The empty
// name is a file named ".bin" in the folder.
bool isSafeName(const QString &name);

// An int stored under `key`, or `fallback` when it is missing or not a number.
int readInt(const QSettings &file, const QString &key, int fallback);

// Writes a macro without steps bound to slot `index` (-1: none), repeat 1, device -1; false when
// it could not be written.
bool writeNew(const QString &file, int index);

} // namespace MacroFiles
