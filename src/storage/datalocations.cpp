#include "storage/datalocations.h"

#include "storage/atomicfilecopy.h"
#include "storage/settingslog.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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
    if (fileName == QLatin1String("apConfig.bin"))
        return true;
    // "p<number>.bin", checked by hand: a regular expression would load the expression engine
    // on every start for it.
    if (fileName.size() <= 5 || !fileName.startsWith(u'p') || !fileName.endsWith(u".bin"))
        return false;
    const QStringView number = QStringView(fileName).mid(1, fileName.size() - 5);
    return std::all_of(number.begin(), number.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
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
