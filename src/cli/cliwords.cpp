#include "cli/cliwords.h"

#include <QList>

namespace
{
// The key page's media list, in its order.
const QList<int> codes{0x30b5, 0x30b6, 0x30b7, 0x30cd, 0x30e2, 0x30e9, 0x30ea, 0x3183, 0x318a,
                       0x3192, 0x3194, 0x3221, 0x3223, 0x3224, 0x3225, 0x3226, 0x3227, 0x322a};
} // namespace

// The names the colour page's effect list gives them in English.
QStringList CliWords::effectNames()
{
    return {QStringLiteral("static"),
            QStringLiteral("breathing"),
            QStringLiteral("wave"),
            QStringLiteral("induction-darken"),
            QStringLiteral("marquee"),
            QStringLiteral("ripple"),
            QStringLiteral("induction-brighten"),
            QStringLiteral("neon"),
            QStringLiteral("marquee-colorful"),
            QStringLiteral("raining"),
            QStringLiteral("marquee-circle"),
            QStringLiteral("spotlight")};
}

QString CliWords::lightingName(int type)
{
    if (type >= firstPictureType && type < firstPictureType + pictureCount)
        return QStringLiteral("picture %1").arg(type - firstPictureType + 1);
    return effectNames().value(type);
}

QStringList CliWords::mediaNames()
{
    return {QStringLiteral("next-track"),  QStringLiteral("previous-track"),
            QStringLiteral("stop"),        QStringLiteral("play-pause"),
            QStringLiteral("mute"),        QStringLiteral("volume-up"),
            QStringLiteral("volume-down"), QStringLiteral("media-select"),
            QStringLiteral("mail"),        QStringLiteral("calculator"),
            QStringLiteral("my-computer"), QStringLiteral("www-search"),
            QStringLiteral("www-home"),    QStringLiteral("www-back"),
            QStringLiteral("www-forward"), QStringLiteral("www-stop"),
            QStringLiteral("www-refresh"), QStringLiteral("www-favorites")};
}

std::optional<int> CliWords::mediaCode(const QString &name)
{
    const qsizetype index = mediaNames().indexOf(name.toLower());
    if (index < 0)
        return std::nullopt;
    return codes.at(index);
}

std::optional<int> CliWords::colourIndex(const QString &word)
{
    if (word.compare(QLatin1String("loop"), Qt::CaseInsensitive) == 0)
        return loopColour;
    bool number = false;
    const int colour = word.toInt(&number);
    if (!number || colour < 1 || colour > 7)
        return std::nullopt;
    return colour - 1;
}

QString CliWords::colourWord(int index)
{
    if (index == loopColour)
        return QStringLiteral("loop");
    if (index >= 0 && index < loopColour)
        return QString::number(index + 1);
    return QStringLiteral("none");
}

std::optional<int> CliWords::direction(const QString &word)
{
    const QString lower = word.toLower();
    if (lower == QLatin1String("right"))
        return 0;
    if (lower == QLatin1String("left"))
        return 1;
    return std::nullopt;
}

QString CliWords::directionWord(int direction)
{
    return (direction & 1) ? QStringLiteral("left") : QStringLiteral("right");
}
