#include "backend/applicationsettings.h"

#include "storage/listvalues.h"
#include "storage/settingfiles.h"
#include "storage/settingsreplace.h"

#include <QSettings>

namespace
{
const QString totalKey = QStringLiteral("common/total");

QString entryKey(int index)
{
    return QStringLiteral("common/") + QString::number(index);
}
} // namespace

ApplicationSettings::ApplicationSettings()
    : settings(new QSettings(SettingFiles::apConfig(), QSettings::IniFormat))
{
}

ApplicationSettings::~ApplicationSettings()
{
    delete settings;
}

void ApplicationSettings::saveList(const QVariantList &values)
{
    settings->setValue(totalKey, int(values.size()));
    for (int i = 0; i < values.size(); ++i)
        settings->setValue(entryKey(i), values.at(i));
}

QVariantList ApplicationSettings::loadList() const
{
    QVariantList list;
    const int total = countAt(*settings, totalKey);
    for (int i = 0; i < total; ++i)
        list.append(settings->value(entryKey(i), 0));
    return list;
}

void ApplicationSettings::reset()
{
    settings = replaceSettingsFile(settings, SettingFiles::path(QStringLiteral("apConfigD.bin")));
}

void ApplicationSettings::setValue(const QString &key, const QVariant &value)
{
    settings->setValue(key, value);
}

QVariant ApplicationSettings::value(const QString &key) const
{
    return settings->value(key);
}
