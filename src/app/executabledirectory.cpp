#include "app/executabledirectory.h"

#include "app/applog.h"

#include <QCoreApplication>
#include <QDir>

QString executableDirectory(const QString &applicationFilePath)
{
    const qsizetype slash = applicationFilePath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return applicationFilePath;
    return applicationFilePath.left(slash);
}

void makeExecutableDirectoryCurrent()
{
    const QString directory = executableDirectory(QCoreApplication::applicationFilePath());
    if (!QDir::setCurrent(directory))
        qCDebug(lcApp) << "Cannot enter the program's folder" << directory;
}
