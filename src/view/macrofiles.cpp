#include "view/macrofiles.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>

namespace MacroFiles
{
QString folder()
{
    return QStringLiteral("./modules/macro/");
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

bool replaceWithCopy(const QString &source, const QString &target)
{
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = input.readAll();
    if (input.error() != QFileDevice::NoError)
        return false;
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly))
        return false;
    output.write(content);
    return output.commit();
}
} // namespace MacroFiles
