#pragma once

#include <QString>

// The settings files live in the program's folder; start-up makes that folder current.
namespace SettingFiles
{
inline QString path(const QString &fileName)
{
    return QStringLiteral("./modules/setting/") + fileName;
}
inline QString apConfig()
{
    return path(QStringLiteral("apConfig.bin"));
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
    return path(QStringLiteral("p") + QString::number(index + 1) + QStringLiteral(".bin"));
}
} // namespace SettingFiles
