#include "view/myqquickview.h"

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

QVariantList myQQuickView::loadUsbStr()
{
    return keyCodeList(QStringLiteral("common/usbStr"));
}

QVariantList myQQuickView::loadUsbCode()
{
    return keyCodeList(QStringLiteral("common/usbCode"));
}
