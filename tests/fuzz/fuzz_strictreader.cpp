// The strict reader on any bytes, as each kind of file: it never crashes, never takes long, and
// whatever it accepts QSettings reads without trouble. The first byte chooses the kind.

#include "storage/strictsettingsreader.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace
{
// QSettings caches a file by name, size and time: every accepted input gets a name of its own.
void readWithQSettings(const QByteArray &content)
{
    static QTemporaryDir folder;
    static quint64 counter = 0;
    const QString path = folder.filePath(QString::number(++counter) + QStringLiteral(".bin"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            abort();
    }
    {
        const QSettings settings(path, QSettings::IniFormat);
        for (const QString &key : settings.allKeys()) {
            const QVariant value = settings.value(key);
            // The program reads lists as string lists and numbers as ints.
            static_cast<void>(value.toStringList());
            static_cast<void>(value.toInt());
        }
    }
    QFile::remove(path);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto kind = SettingsKind(data[0] % 4);
    const QByteArray content(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (checkSettingsText(content, kind).accepted())
        readWithQSettings(content);
    return 0;
}
