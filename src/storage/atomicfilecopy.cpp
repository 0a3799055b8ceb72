#include "storage/atomicfilecopy.h"

#include "storage/settingslog.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace
{
constexpr qint64 chunkSize = 64 * 1024;
}

bool replaceFileAtomically(const QString &source, const QString &target)
{
    const QFileInfo sourceInfo(source);
    // Renaming over a file that is open for reading fails on Windows; there is nothing to do.
    if (sourceInfo.exists() &&
        sourceInfo.canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    QFile in(source);
    if (sourceInfo.isDir() || !in.open(QIODevice::ReadOnly)) {
        qCWarning(lcSettings) << "Cannot read" << source << "- keeping" << target;
        return false;
    }
    // QSaveFile writes beside the target and renames only on commit(); anything that goes
    // wrong before that leaves the target untouched and the temporary file removed.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        qCWarning(lcSettings) << "Cannot write" << target << out.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(chunkSize);
        if (chunk.isEmpty()) {
            qCWarning(lcSettings) << "Reading" << source << "failed:" << in.errorString()
                                  << "- keeping" << target;
            out.cancelWriting();
            return false;
        }
        out.write(chunk);
    }
    if (!out.commit()) {
        qCWarning(lcSettings) << "Cannot replace" << target << out.errorString();
        return false;
    }
    return true;
}

bool writeFileAtomically(const QByteArray &content, const QString &target)
{
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit()) {
        qCWarning(lcSettings) << "Cannot write" << target << out.errorString();
        return false;
    }
    return true;
}
