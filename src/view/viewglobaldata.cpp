#include "view/myqquickview.h"

#include <QDir>
#include <QSettings>

bool myQQuickView::getIsSkinShow()
{
    const QDir images(QStringLiteral("./modules/img"));
    return images.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort).size() > 1;
}

uchar myQQuickView::getMaxProfile()
{
    return maxProfile;
}

// The application settings double as a free store of the UI's own values; despite its name
// any value can be stored.
void myQQuickView::setGlobalInt(QVariant key, QVariant tmpdata)
{
    if (apConfig)
        apConfig->setValue(key.toString(), tmpdata);
}

// An absent key gives an invalid value, which the QML sees as undefined.
QVariant myQQuickView::getGlobalData(QVariant key)
{
    if (!apConfig)
        return QVariant();
    return apConfig->value(key.toString());
}
