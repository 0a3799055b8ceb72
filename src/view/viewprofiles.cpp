#include "view/myqquickview.h"

#include "view/atomicfilecopy.h"
#include "view/settingfiles.h"
#include "view/settingslog.h"
#include "view/settingsreplace.h"
#include "view/userfolders.h"

#include <QFileDialog>
#include <QSettings>

namespace
{
QString defaultProfileFile()
{
    return SettingFiles::path(QStringLiteral("pD.bin"));
}
} // namespace

// None of the profile slots talks to the keyboard: the profile menu selects an imported or
// reset active profile again, which sends it.
void myQQuickView::loadProfile(int profile)
{
    if (!profileAt(profile))
        return;
    const QString source =
        QFileDialog::getOpenFileName(this, tr("Open File"), desktopFolder(), tr("Profile(*.pf)"));
    if (!source.isEmpty())
        importProfile(profile, source);
}

void myQQuickView::saveProfile(int profile)
{
    if (!profileAt(profile))
        return;
    const QString target =
        QFileDialog::getSaveFileName(this, tr("Save File"), desktopFolder(), tr("Profile(*.pf)"));
    if (!target.isEmpty())
        exportProfile(profile, target);
}

void myQQuickView::resetProfile(int profile)
{
    importProfile(profile, defaultProfileFile());
}

QVariant myQQuickView::loadDefaultProfile(QString key)
{
    const QSettings defaults(defaultProfileFile(), QSettings::IniFormat);
    return defaults.value(key);
}

void myQQuickView::importProfile(int profile, const QString &source)
{
    QSettings *settings = profileAt(profile);
    if (!settings)
        return;
    bool replaced = false;
    profileSettings[profile] = replaceSettingsFile(settings, source, &replaced);
    if (replaced)
        qCInfo(lcSettings) << "Profile" << profile << "replaced by" << source;
}

void myQQuickView::exportProfile(int profile, const QString &target)
{
    QSettings *settings = profileAt(profile);
    if (!settings)
        return;
    // The export is the file: what the pages changed a moment ago must be in it.
    settings->sync();
    replaceFileAtomically(SettingFiles::profile(profile), target);
}
