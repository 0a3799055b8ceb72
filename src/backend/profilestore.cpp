#include "backend/profilestore.h"

#include "storage/atomicfilecopy.h"
#include "storage/settingfiles.h"
#include "storage/settingslog.h"
#include "storage/settingsreplace.h"
#include "storage/strictsettingsreader.h"

#include <QSettings>

namespace
{
QString factoryProfileFile()
{
    return SettingFiles::path(QStringLiteral("pD.bin"));
}
} // namespace

ProfileStore::ProfileStore(int count)
{
    for (int i = 0; i < count; ++i)
        profiles.append(new QSettings(SettingFiles::profile(i), QSettings::IniFormat));
}

ProfileStore::~ProfileStore()
{
    qDeleteAll(profiles);
}

QSettings *ProfileStore::profileAt(int index) const
{
    if (index < 0 || index >= profiles.size())
        return nullptr;
    return profiles.at(index);
}

FileRefusal ProfileStore::importProfile(int profile, const QString &source)
{
    QSettings *settings = profileAt(profile);
    if (!settings)
        return FileRefusal::None;
    // The profile is read with QSettings at every start: only a file the strict reader accepts
    // may become one.
    const CheckedFile file = readCheckedFile(source, SettingsKind::Profile);
    if (!file.check.accepted()) {
        qCWarning(lcSettings) << "Refusing the profile" << source << "-"
                              << refusalName(file.check.refusal) << "at line" << file.check.line;
        return file.check.refusal;
    }
    bool replaced = false;
    profiles[profile] = replaceSettingsContent(settings, file.content, &replaced);
    if (replaced)
        qCInfo(lcSettings) << "Profile" << profile << "replaced by" << source;
    return FileRefusal::None;
}

bool ProfileStore::exportProfile(int profile, const QString &target)
{
    QSettings *settings = profileAt(profile);
    if (!settings)
        return false;
    // The export is the file: what the pages changed a moment ago must be in it.
    settings->sync();
    return replaceFileAtomically(SettingFiles::profile(profile), target);
}

void ProfileStore::reset(int profile)
{
    importProfile(profile, factoryProfileFile());
}

QVariant ProfileStore::factoryValue(const QString &key)
{
    const QSettings defaults(factoryProfileFile(), QSettings::IniFormat);
    return defaults.value(key);
}
