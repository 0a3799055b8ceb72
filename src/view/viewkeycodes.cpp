#include "view/myqquickview.h"

#include "view/settingfiles.h"

#include <QSettings>

namespace
{
// The lists come back as QSettings read them: strings, converted by whoever uses them.
QVariantList keyCodeList(const QString &key)
{
    const QSettings keyCodeDef(SettingFiles::keyCodeDefinition(), QSettings::IniFormat);
    QVariantList list;
    for (const QString &element : keyCodeDef.value(key).toStringList())
        list.append(element);
    return list;
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
