#pragma once

#include "storage/datalocations.h"

#include <QString>

// The shipped settings files live in the working folder's modules/; the user's own settings
// and profiles in the user's folder (the same place unless the program is installed).
namespace SettingFiles
{
inline QString path(const QString &fileName)
{
    return QStringLiteral("./modules/setting/") + fileName;
}
inline QString userPath(const QString &fileName)
{
    return DataLocations::userFolder() + QStringLiteral("/setting/") + fileName;
}
inline QString apConfig()
{
    return userPath(QStringLiteral("apConfig.bin"));
}
inline QString hardwareDefinition()
{
    return path(QStringLiteral("HWDef.bin"));
}
inline QString keyCodeDefinition()
{
    return path(QStringLiteral("KeyCodeDef.bin"));
}
// Profile index 0 lives in p1.bin.
inline QString profile(int index)
{
    return userPath(QStringLiteral("p") + QString::number(index + 1) + QStringLiteral(".bin"));
}
} // namespace SettingFiles
