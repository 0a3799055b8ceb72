#include "storage/settingsreplace.h"

#include "storage/atomicfilecopy.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <functional>

namespace
{
// QSettings keeps the content of files it has read in a process-wide cache and trusts it while
// the file's size and modification time (in milliseconds) are unchanged. A replacement of the
// same size written within the same millisecond as the old file would pass for the old content,
// so its time is moved on by a millisecond.
void makeChangeVisible(const QString &fileName, qint64 oldSize, const QDateTime &oldTime)
{
    const QFileInfo now(fileName);
    if (now.size() != oldSize || now.lastModified() != oldTime)
        return;
    QFile file(fileName);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
}

// `write` puts the new content in place under the file name it is given.
QSettings *replaceWith(QSettings *settings, const std::function<bool(const QString &)> &write,
                       bool *replaced)
{
    const QString fileName = settings->fileName();
    const QSettings::Format format = settings->format();
    // Changes still pending would otherwise be written when the object goes, over the new
    // content; written now, they land in the file that is about to be replaced.
    settings->sync();
    delete settings;
    const QFileInfo before(fileName);
    const qint64 oldSize = before.size();
    const QDateTime oldTime = before.lastModified();

    const bool done = write(fileName);
    if (done)
        makeChangeVisible(fileName, oldSize, oldTime);
    if (replaced)
        *replaced = done;
    return new QSettings(fileName, format);
}
} // namespace

QSettings *replaceSettingsFile(QSettings *settings, const QString &source, bool *replaced)
{
    return replaceWith(
        settings, [&](const QString &fileName) { return replaceFileAtomically(source, fileName); },
        replaced);
}

QSettings *replaceSettingsContent(QSettings *settings, const QByteArray &content, bool *replaced)
{
    return replaceWith(
        settings, [&](const QString &fileName) { return writeFileAtomically(content, fileName); },
        replaced);
}
