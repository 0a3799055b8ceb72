#pragma once

#include <QStandardPaths>
#include <QString>

// Where the import and export dialogs open: the user's desktop.
inline QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}
