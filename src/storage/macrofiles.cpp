#include "storage/macrofiles.h"

#include "storage/datalocations.h"

#include <QFile>
#include <QSettings>

namespace MacroFiles
{
QString folder()
{
    return DataLocations::userFolder() + QStringLiteral("/macro/");
}

QString path(const QString &name)
{
    return folder() + name + QStringLiteral(".bin");
}

QString standardName(int number)
{
    return QStringLiteral("Macro. ") + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

bool isSafeName(const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.isNull())
            return false;
    return true;
}

int readInt(const QSettings &file, const QString &key, int fallback)
{
    bool ok = false;
    const int value = file.value(key).toInt(&ok);
    return ok ? value : fallback;
}

bool writeNew(const QString &file, int index)
{
    QSettings macro(file, QSettings::IniFormat);
    macro.setValue(QStringLiteral("config/index"), index);
    macro.setValue(QStringLiteral("config/total"), 0);
    macro.setValue(QStringLiteral("config/repeat"), 1);
    macro.setValue(QStringLiteral("config/did"), -1);
    macro.sync();
    return macro.status() == QSettings::NoError;
}
} // namespace MacroFiles
