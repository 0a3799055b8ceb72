#include "device/devicetable.h"

#include <QSettings>

#include <algorithm>

namespace
{
quint16 hexValue(const QSettings &table, const QString &key)
{
    bool ok = false;
    const int value = table.value(key).toString().toInt(&ok, 16);
    return ok ? quint16(value) : 0;
}
} // namespace

QList<DevInfoEntry> readDeviceTable(const QString &path, const QStringList &productNames)
{
    const QSettings table(path, QSettings::IniFormat);
    QList<DevInfoEntry> entries;
    // No real table lists more keyboards than this; a corrupt count must not run away.
    constexpr int maxEntries = 256;
    const int total = std::min(table.value(QStringLiteral("common/total")).toInt(), maxEntries);
    for (int i = 0; i < total; ++i) {
        const QString group = QString::number(i) + QLatin1Char('/');
        DevInfoEntry entry;
        entry.vid = hexValue(table, group + QLatin1String("vid"));
        entry.pid = hexValue(table, group + QLatin1String("pid"));
        entry.usagePage = hexValue(table, group + QLatin1String("usagePage"));
        entry.usage = hexValue(table, group + QLatin1String("usage"));
        entry.usagePage2 = hexValue(table, group + QLatin1String("usagePage2"));
        entry.usage2 = hexValue(table, group + QLatin1String("usage2"));
        entry.name = productNames.value(i);
        entry.reportLength = table.value(group + QLatin1String("reportLength")).toUInt();
        entries.append(entry);
    }
    return entries;
}
