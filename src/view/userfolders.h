#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

// Where the import and export dialogs open: the user's desktop, or the home folder where there
// is no desktop folder. A dialog given a folder that is not there opens its parent with the
// folder's name typed in as the file's, and an export would then be written under that name.
inline QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}
