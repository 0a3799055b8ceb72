#include "storage/instancename.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString InstanceName::keyFor(const QString &dataFolder)
{
    QString folder = QFileInfo(dataFolder).absoluteFilePath();
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    if (!canonical.isEmpty())
        folder = canonical;
#ifdef Q_OS_WIN
    folder = folder.toLower();
#endif
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("R7Configurator-") + QString::fromLatin1(hash.toHex().left(16));
}

QString InstanceName::lockPath(const QString &key)
{
    return QDir(QDir::tempPath()).filePath(key + QStringLiteral(".lock"));
}
