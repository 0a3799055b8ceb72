#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

// A standard folder of the user's for a file dialog to open in, or the home folder where that
// folder does not exist. A dialog given a folder that is not there opens its parent with the
// folder's name typed in as the file's, and an export would then be written under that name.
inline QString dialogFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

// Where the import and export dialogs open: the user's desktop.
inline QString desktopFolder()
{
    return dialogFolder(QStandardPaths::DesktopLocation);
}
