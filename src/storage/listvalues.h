#pragma once

#include <QString>
#include <QVariantList>

class QSettings;

// A list stored in a settings file, as the pages get it: elements as strings (an INI file keeps
// no types, the QML converts them with Number()); absent or empty, an empty list. QSettings
// gives a one-element list back as a plain string, which is read as that one element.
QVariantList settingsList(const QSettings &settings, const QString &key);

// The first `count` elements of a list from the QML, unconverted; missing ones are the int 0.
QVariantList fittedList(const QVariantList &list, int count);

// Element `index` as an int, 0 when the list is shorter.
int intAt(const QVariantList &list, int index);

// A count stored under `key` ("common/total", "total_HW"), limited to 0 ... maxCountedEntries:
// a damaged count must not make a reader build a list of billions.
int countAt(const QSettings &settings, const QString &key);
