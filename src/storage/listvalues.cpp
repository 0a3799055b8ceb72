#include "storage/listvalues.h"

#include "storage/filelimits.h"

#include <QSettings>

#include <algorithm>

QVariantList settingsList(const QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    QVariantList list;
    if (!value.isValid() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return list;
    // toStringList, not toList: a string would turn into a list of its characters.
    for (const QString &element : value.toStringList())
        list.append(element);
    return list;
}

QVariantList fittedList(const QVariantList &list, int count)
{
    QVariantList fitted = list.mid(0, count);
    while (fitted.size() < count)
        fitted.append(0);
    return fitted;
}

int intAt(const QVariantList &list, int index)
{
    return list.value(index, 0).toInt();
}

int countAt(const QSettings &settings, const QString &key)
{
    return std::clamp(settings.value(key, 0).toInt(), 0, maxCountedEntries);
}
