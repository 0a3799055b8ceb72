#include "backend/hardwaredefinition.h"

#include "storage/hardwarelimits.h"
#include "storage/listvalues.h"
#include "storage/settingfiles.h"

#include <QSettings>

namespace
{
QVariantList keyCodeList(const QString &key)
{
    const QSettings keyCodeDef(SettingFiles::keyCodeDefinition(), QSettings::IniFormat);
    return settingsList(keyCodeDef, key);
}
} // namespace

HardwareDefinition::HardwareDefinition()
{
    const HardwareLimits limits = readHardwareLimits(SettingFiles::hardwareDefinition());
    kbLayoutType = limits.kbLayoutType;
    maxMacro = limits.maxMacro;
    maxProfile = limits.maxProfile;
}

QVariantList HardwareDefinition::keys(uchar layout) const
{
    const QSettings hwDef(SettingFiles::hardwareDefinition(), QSettings::IniFormat);
    const QString group = QString::number(layout) + QLatin1Char('/');
    const int totalHW = countAt(hwDef, group + QStringLiteral("total_HW"));
    const int totalFW = hwDef.value(group + QStringLiteral("total_FW"), 0).toInt();

    QVariantList keys{totalHW, totalFW};
    for (int i = 1; i <= totalHW; ++i) {
        // A short key line gives 0 (and an empty name) for what it lacks.
        const QVariantList key = settingsList(hwDef, group + QString::number(i));
        keys << intAt(key, 0) << intAt(key, 1) << intAt(key, 2) << key.value(3).toString()
             << intAt(key, 4) << key.value(5, 0).toUInt();
    }
    return keys;
}

QVariantList HardwareDefinition::keyNames() const
{
    return keyCodeList(QStringLiteral("common/usbStr"));
}

QVariantList HardwareDefinition::keyCodes() const
{
    return keyCodeList(QStringLiteral("common/usbCode"));
}
