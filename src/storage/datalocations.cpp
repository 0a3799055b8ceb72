#include "storage/datalocations.h"

#include "storage/atomicfilecopy.h"
#include "storage/settingslog.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace
{
QString &chosenUserFolder()
{
    static QString folder = QStringLiteral("./modules");
    return folder;
}

// The files of setting/ that belong to the user: the settings and the profiles. The hardware
// and key-code tables and the factory copies stay shared, so a new version brings new ones.
bool isUserSetting(const QString &fileName)
{
    static const QRegularExpression profile(QStringLiteral("^p[0-9]+\\.bin$"));
    return fileName == QLatin1String("apConfig.bin") || profile.match(fileName).hasMatch();
}

bool copyMissing(const QDir &from, const QDir &to, bool (*wanted)(const QString &))
{
    bool complete = true;
    for (const QString &name : from.entryList(QDir::Files)) {
        if (!wanted(name) || QFileInfo::exists(to.filePath(name)))
            continue;
        complete = replaceFileAtomically(from.filePath(name), to.filePath(name)) && complete;
    }
    return complete;
}
} // namespace

namespace DataLocations
{
Layout layoutFor(const QString &executableFolder, const QString &sharedFromExecutable,
                 const QString &appDataFolder)
{
    const QDir beside(executableFolder);
    if (beside.exists(QStringLiteral("modules")) || sharedFromExecutable.isEmpty())
        return {executableFolder, QStringLiteral("./modules"), false};
    const QString shared = QDir::cleanPath(beside.filePath(sharedFromExecutable));
    if (!QDir(shared).exists(QStringLiteral("modules")) || appDataFolder.isEmpty())
        return {executableFolder, QStringLiteral("./modules"), false};
    return {shared, appDataFolder, true};
}

bool seedUserFolder(const QString &shippedModules, const QString &userFolder)
{
    const QDir shipped(shippedModules);
    const QDir user(userFolder);
    const QString macro = QStringLiteral("macro");
    const bool firstMacros = !user.exists(macro);
    if (!user.mkpath(QStringLiteral("setting")) || !user.mkpath(macro)) {
        qCWarning(lcSettings) << "Cannot create the user's data folder" << userFolder;
        return false;
    }
    bool complete = copyMissing(QDir(shipped.filePath(QStringLiteral("setting"))),
                                QDir(user.filePath(QStringLiteral("setting"))), &isUserSetting);
    if (firstMacros)
        complete = copyMissing(QDir(shipped.filePath(macro)), QDir(user.filePath(macro)),
                               [](const QString &) { return true; }) &&
                   complete;
    return complete;
}

QString userFolder()
{
    return chosenUserFolder();
}

void setUserFolder(const QString &folder)
{
    chosenUserFolder() = folder;
}
} // namespace DataLocations
