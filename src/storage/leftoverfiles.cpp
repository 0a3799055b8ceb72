#include "storage/leftoverfiles.h"

#include "storage/macrofiles.h"
#include "storage/settingfiles.h"
#include "storage/settingslog.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace
{
bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// QSettings locks "<file>.lock"; QSaveFile writes "<file>.XXXXXX" and renames it. Checked by
// hand rather than with a regular expression, which would load and compile the expression
// engine on every start for this one look at two folders.
bool isLeftover(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QStringView file = name.left(dot);
    const QStringView suffix = name.mid(dot + 1);
    if (file.size() <= 4 || !file.endsWith(u".bin"))
        return false;
    return suffix == u"lock" ||
           (suffix.size() == 6 && std::all_of(suffix.begin(), suffix.end(), isAsciiLetterOrDigit));
}
} // namespace

void removeLeftoverFiles()
{
    for (const QString &folder : {SettingFiles::userPath(QString()), MacroFiles::folder()}) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (!isLeftover(name))
                continue;
            if (QFile::remove(dir.filePath(name)))
                qCInfo(lcSettings) << "Removed" << dir.filePath(name) << "left by an earlier run";
        }
    }
}
