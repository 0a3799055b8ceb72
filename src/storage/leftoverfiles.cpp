#include "storage/leftoverfiles.h"

#include "storage/macrofiles.h"
#include "storage/settingfiles.h"
#include "storage/settingslog.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

void removeLeftoverFiles()
{
    // QSettings locks "<file>.lock"; QSaveFile writes "<file>.XXXXXX" and renames it.
    static const QRegularExpression leftover(QStringLiteral("^.+\\.bin\\.(lock|[A-Za-z0-9]{6})$"));
    for (const QString &folder : {SettingFiles::userPath(QString()), MacroFiles::folder()}) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!leftover.match(name).hasMatch())
                continue;
            if (QFile::remove(dir.filePath(name)))
                qCInfo(lcSettings) << "Removed" << dir.filePath(name) << "left by an earlier run";
        }
    }
}
