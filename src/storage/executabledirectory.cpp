#include "storage/executabledirectory.h"

#include "storage/datalocations.h"
#include "storage/settingslog.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString executableDirectory(const QString &applicationFilePath)
{
    const qsizetype slash = applicationFilePath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return applicationFilePath;
    return applicationFilePath.left(slash);
}

void enterDataFolders(const QString &sharedFromExecutable)
{
    const DataLocations::Layout layout = DataLocations::layoutFor(
        executableDirectory(QCoreApplication::applicationFilePath()), sharedFromExecutable,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!QDir::setCurrent(layout.workingFolder))
        qCDebug(lcSettings) << "Cannot enter the program's folder" << layout.workingFolder;
    if (!layout.installed)
        return;
    DataLocations::setUserFolder(layout.userFolder);
    if (!DataLocations::seedUserFolder(QStringLiteral("./modules"), layout.userFolder))
        qCWarning(lcSettings) << "The user's data folder is incomplete:" << layout.userFolder;
}
