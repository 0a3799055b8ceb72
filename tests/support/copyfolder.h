#pragma once

#include <QString>

// Copies every file below `from` to the same place below `to`, making the folders.
void copyFolder(const QString &from, const QString &to);
