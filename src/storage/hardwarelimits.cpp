#include "storage/hardwarelimits.h"

#include <QSettings>

#include <algorithm>

namespace
{
constexpr uint macroSlotLimit = 255;
constexpr uint profileLimit = 10;

uint unsignedValue(const QSettings &settings, const QString &key)
{
    return settings.value(key).toUInt();
}
} // namespace

HardwareLimits readHardwareLimits(const QString &path)
{
    const QSettings hwDef(path, QSettings::IniFormat);
    HardwareLimits limits;
    // The layout number only names settings groups; it is kept in eight bits as it always was.
    limits.kbLayoutType = uchar(unsignedValue(hwDef, QStringLiteral("common/kbLayoutType")));
    limits.maxMacro =
        uchar(std::min(unsignedValue(hwDef, QStringLiteral("common/maxMacro")), macroSlotLimit));
    limits.maxProfile =
        uchar(std::min(unsignedValue(hwDef, QStringLiteral("common/maxProfile")), profileLimit));
    return limits;
}
