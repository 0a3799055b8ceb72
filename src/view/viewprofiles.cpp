#include "view/myqquickview.h"

#include "storage/strictsettingsreader.h"
#include "view/userfolders.h"

#include <QFileDialog>

// None of the profile slots talks to the keyboard: the profile menu selects an imported or
// reset active profile again, which sends it.
void myQQuickView::loadProfile(int profile)
{
    if (!objects.profiles().profileAt(profile))
        return;
    const QString source =
        QFileDialog::getOpenFileName(this, tr("Open File"), desktopFolder(), tr("Profile(*.pf)"));
    if (source.isEmpty())
        return;
    const FileRefusal refusal = objects.profiles().importProfile(profile, source);
    if (refusal != FileRefusal::None)
        showRefusal(refusal, source);
}

void myQQuickView::saveProfile(int profile)
{
    if (!objects.profiles().profileAt(profile))
        return;
    const QString target =
        QFileDialog::getSaveFileName(this, tr("Save File"), desktopFolder(), tr("Profile(*.pf)"));
    if (!target.isEmpty())
        objects.profiles().exportProfile(profile, target);
}

void myQQuickView::resetProfile(int profile)
{
    objects.profiles().reset(profile);
}

QVariant myQQuickView::loadDefaultProfile(QString key)
{
    return ProfileStore::factoryValue(key);
}
