#pragma once

#include "device/devinfoentry.h"

#include <QList>
#include <QString>
#include <QStringList>

// Reads the table of supported keyboards (":/DevInfo.ini" in the program). An entry's display
// name is the element at its index in productNames, empty when the list is shorter. A missing
// or unreadable table gives no entries.
QList<DevInfoEntry> readDeviceTable(const QString &path, const QStringList &productNames);
