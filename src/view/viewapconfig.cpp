#include "view/myqquickview.h"

#include "storage/filelimits.h"
#include "storage/listvalues.h"
#include "storage/settingfiles.h"
#include "storage/settingsreplace.h"

#include <QSettings>

#include <algorithm>

namespace
{
const QString totalKey = QStringLiteral("common/total");

QString entryKey(int index)
{
    return QStringLiteral("common/") + QString::number(index);
}

int countOf(const QSettings &settings, const QString &key)
{
    return std::clamp(settings.value(key, 0).toInt(), 0, maxCountedEntries);
}
} // namespace

// Keys of a longer list saved earlier stay in the file; the count bounds the reader.
void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    if (!apConfig)
        return;
    apConfig->setValue(totalKey, int(apConfigs.size()));
    for (int i = 0; i < apConfigs.size(); ++i)
        apConfig->setValue(entryKey(i), apConfigs.at(i));
}

// The values come back as the file holds them (strings); an empty list leaves the page on its
// built-in defaults.
QVariantList myQQuickView::loadApConfig()
{
    QVariantList list;
    if (!apConfig)
        return list;
    const int total = countOf(*apConfig, totalKey);
    for (int i = 0; i < total; ++i)
        list.append(apConfig->value(entryKey(i), 0));
    return list;
}

void myQQuickView::resetApconfig()
{
    if (!apConfig)
        return;
    apConfig = replaceSettingsFile(apConfig, SettingFiles::path(QStringLiteral("apConfigD.bin")));
}

// [total_HW, total_FW, then per key x, y, keyType, name, matrix, keyCode] of the layout in use.
QVariantList myQQuickView::loadHWDef()
{
    const QSettings hwDef(SettingFiles::hardwareDefinition(), QSettings::IniFormat);
    const QString layout = QString::number(kbLayoutType) + QLatin1Char('/');
    const int totalHW = countOf(hwDef, layout + QStringLiteral("total_HW"));
    const int totalFW = hwDef.value(layout + QStringLiteral("total_FW"), 0).toInt();

    QVariantList keys{totalHW, totalFW};
    for (int i = 1; i <= totalHW; ++i) {
        // A short key line gives 0 (and an empty name) for what it lacks.
        const QVariantList key = settingsList(hwDef, layout + QString::number(i));
        keys << intAt(key, 0) << intAt(key, 1) << intAt(key, 2) << key.value(3).toString()
             << intAt(key, 4) << key.value(5, 0).toUInt();
    }
    return keys;
}
