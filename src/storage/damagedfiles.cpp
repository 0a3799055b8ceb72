#include "storage/damagedfiles.h"

#include "storage/atomicfilecopy.h"
#include "storage/folderlisting.h"
#include "storage/macrofiles.h"
#include "storage/settingfiles.h"
#include "storage/settingslog.h"
#include "storage/strictsettingsreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace
{
// Enough numbered names for a user who keeps every damaged file ever set aside.
constexpr int maxSetAsideNames = 1000;

QString setAside(const QString &file)
{
    for (int n = 1; n <= maxSetAsideNames; ++n) {
        QString target = file + QStringLiteral(".damaged");
        if (n > 1)
            target += QLatin1Char('-') + QString::number(n);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (QFile::rename(file, target))
            return target;
        break;
    }
    return {};
}

// A factory file is copied only when it passes the same check: a damaged factory file would
// otherwise bring the crash straight back. Without one the file stays absent and reads empty.
void restoreFrom(const QString &factory, const QString &file, SettingsKind kind)
{
    const CheckedFile checked = readCheckedFile(factory, kind);
    if (checked.check.accepted())
        writeFileAtomically(checked.content, file);
    else
        qCWarning(lcSettings) << "The factory file" << factory
                              << "is refused as well:" << refusalName(checked.check.refusal);
}

void checkStoredFile(const QString &file, SettingsKind kind,
                     const std::function<void(const QString &)> &restore, QStringList &setAsideAs)
{
    if (!QFileInfo::exists(file))
        return;
    const CheckedFile checked = readCheckedFile(file, kind);
    // A file that cannot be read is no danger: QSettings cannot read it either.
    if (checked.check.accepted() || checked.check.refusal == FileRefusal::Unreadable)
        return;
    const QString target = setAside(file);
    if (target.isEmpty()) {
        qCWarning(lcSettings) << "The damaged file" << file << "cannot be set aside";
        return;
    }
    qCWarning(lcSettings) << "Set aside the damaged file" << file << "as" << target << "-"
                          << refusalName(checked.check.refusal) << "at line" << checked.check.line;
    restore(file);
    setAsideAs.append(target);
}
} // namespace

QStringList setAsideDamagedFiles(int profileCount)
{
    QStringList setAsideAs;
    checkStoredFile(
        SettingFiles::apConfig(), SettingsKind::ApConfig,
        [](const QString &file) {
            restoreFrom(SettingFiles::path(QStringLiteral("apConfigD.bin")), file,
                        SettingsKind::ApConfig);
        },
        setAsideAs);
    for (int i = 0; i < profileCount; ++i)
        checkStoredFile(
            SettingFiles::profile(i), SettingsKind::Profile,
            [](const QString &file) {
                restoreFrom(SettingFiles::path(QStringLiteral("pD.bin")), file,
                            SettingsKind::Profile);
            },
            setAsideAs);
    const QStringList macros =
        entriesNamed(QDir(MacroFiles::folder()), u"", u".bin", QDir::Files, QDir::Name);
    for (const QString &macro : macros)
        checkStoredFile(
            MacroFiles::folder() + macro, SettingsKind::Macro,
            [](const QString &file) { MacroFiles::writeNew(file, -1); }, setAsideAs);
    return setAsideAs;
}
