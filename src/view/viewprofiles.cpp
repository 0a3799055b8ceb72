#include "view/myqquickview.h"

#include "storage/atomicfilecopy.h"
#include "storage/settingfiles.h"
#include "storage/settingslog.h"
#include "storage/settingsreplace.h"
#include "storage/strictsettingsreader.h"
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
    if (source.isEmpty())
        return;
    const FileRefusal refusal = importProfile(profile, source);
    if (refusal != FileRefusal::None)
        showRefusal(refusal, source);
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

FileRefusal myQQuickView::importProfile(int profile, const QString &source)
{
    QSettings *settings = profileAt(profile);
    if (!settings)
        return FileRefusal::None;
    // The profile is read with QSettings at every start: only a file the strict reader accepts
    // may become one, and what is written is exactly what was checked.
    const CheckedFile file = readCheckedFile(source, SettingsKind::Profile);
    if (!file.check.accepted()) {
        qCWarning(lcSettings) << "Refusing the profile" << source << "-"
                              << refusalName(file.check.refusal) << "at line" << file.check.line;
        return file.check.refusal;
    }
    bool replaced = false;
    profileSettings[profile] = replaceSettingsContent(settings, file.content, &replaced);
    if (replaced)
        qCInfo(lcSettings) << "Profile" << profile << "replaced by" << source;
    return FileRefusal::None;
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
