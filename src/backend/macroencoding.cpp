#include "backend/macroencoding.h"

#include <algorithm>

namespace
{
// Every step ends in a command of this many characters, right-aligned with spaces.
constexpr int commandLength = 10;

constexpr uchar pressCode = 0x01;
constexpr uchar releaseCode = 0x81;
constexpr uchar delayCode = 0x7F;

void appendUnit(QList<uchar> &bytes, uchar high, uchar low)
{
    bytes.append(high);
    bytes.append(low);
}

// Key steps of names the keyboard has no code for are left out rather than sent as code 0.
void appendKey(QList<uchar> &bytes, uchar action, const QString &name,
               const QMap<QString, uchar> &keyNameToCode)
{
    const uchar code = keyNameToCode.value(name, 0);
    if (code != 0)
        appendUnit(bytes, action, code);
}

void appendDelay(QList<uchar> &bytes, const QString &value)
{
    // A hand-edited file may hold anything here; only a positive number of milliseconds waits.
    const int milliseconds = value.toInt();
    if (milliseconds <= 0)
        return;
    const int tens = milliseconds / 10;
    appendUnit(bytes, delayCode, 0x00);
    appendUnit(bytes, uchar((tens / 256) % 256), uchar(tens % 256));
}

int stepLength(uchar head)
{
    return head == delayCode ? 4 : 2;
}
} // namespace

QList<uchar> encodeMacro(const QStringList &steps, int repeatTimes,
                         const QMap<QString, uchar> &keyNameToCode)
{
    QList<uchar> bytes;
    appendUnit(bytes, uchar((repeatTimes >> 8) & 0xFF), uchar(repeatTimes & 0xFF));
    for (const QString &step : steps) {
        const QString command = step.right(commandLength);
        const QString value = step.left(step.size() - command.size());
        if (command == QLatin1String("    [Down]"))
            appendKey(bytes, pressCode, value, keyNameToCode);
        else if (command == QLatin1String("      [Up]"))
            appendKey(bytes, releaseCode, value, keyNameToCode);
        else if (command == QLatin1String("   [Delay]"))
            appendDelay(bytes, value);
    }
    appendUnit(bytes, 0x00, 0x00);
    return bytes;
}

QList<uchar> fitMacroToSlot(const QList<uchar> &encoded)
{
    if (encoded.size() <= macroSlotSize)
        return encoded;
    // Walk whole steps after the repeat unit; a delay's second unit is never read as a head.
    constexpr int endMarkLength = 2;
    const qsizetype stepsEnd = encoded.size() - endMarkLength;
    qsizetype end = 2;
    while (end < stepsEnd) {
        const int length = stepLength(encoded.at(end));
        if (end + length + endMarkLength > macroSlotSize)
            break;
        end += length;
    }
    QList<uchar> fitted = encoded.first(end);
    appendUnit(fitted, 0x00, 0x00);
    return fitted;
}

std::array<uchar, macroSlotSize> macroSlotImage(const QList<uchar> &encoded)
{
    std::array<uchar, macroSlotSize> image{};
    const qsizetype count = std::min<qsizetype>(encoded.size(), macroSlotSize) / 2 * 2;
    for (qsizetype i = 0; i < count; i += 2) {
        image[size_t(i)] = encoded.at(i + 1);
        image[size_t(i + 1)] = encoded.at(i);
    }
    return image;
}
