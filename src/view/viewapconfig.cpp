#include "view/myqquickview.h"

#include <QDir>

void myQQuickView::saveApConfig(QVariantList apConfigs)
{
    objects.settings().saveList(apConfigs);
}

// An empty list leaves the settings page on its built-in defaults.
QVariantList myQQuickView::loadApConfig()
{
    return objects.settings().loadList();
}

void myQQuickView::resetApconfig()
{
    objects.settings().reset();
}

// The application settings double as a free store of the UI's own values; despite its name
// any value can be stored.
void myQQuickView::setGlobalInt(QVariant key, QVariant tmpdata)
{
    objects.settings().setValue(key.toString(), tmpdata);
}

// An absent key gives an invalid value, which the QML sees as undefined.
QVariant myQQuickView::getGlobalData(QVariant key)
{
    return objects.settings().value(key.toString());
}

QVariantList myQQuickView::loadHWDef()
{
    return objects.hardware().keys(objects.bridge().layoutType());
}

QVariantList myQQuickView::loadUsbStr()
{
    return objects.hardware().keyNames();
}

QVariantList myQQuickView::loadUsbCode()
{
    return objects.hardware().keyCodes();
}

uchar myQQuickView::getMaxProfile()
{
    return objects.hardware().profileCount();
}

// The skin choice is offered only when there is more than one skin to choose.
bool myQQuickView::getIsSkinShow()
{
    const QDir images(QStringLiteral("./modules/img"));
    return images.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort).size() > 1;
}
