#include "view/myqquickview.h"

#include "backend/secondswitches.h"
#include "device/hidthread.h"
#include "storage/listvalues.h"

#include <QSettings>

#include <array>

namespace
{
constexpr int pictureValues = 512; // 128 matrix positions x (mode, red, green, blue)
constexpr int pictureMatrix = 128;
constexpr int colorValues = 21; // seven colours x (red, green, blue)
constexpr int colorBlock = 64;

const QString ledTypeKey = QStringLiteral("color/ledType");
const QString colorKey = QStringLiteral("color/color");

QString pictureKey(uchar index)
{
    return QStringLiteral("userPicture/") + QString::number(index);
}

// Colours are 0-255 in the pages and the files, 0-63 on the keyboard.
uchar toKeyboardColor(const QVariant &value)
{
    return uchar(value.toInt() / 4);
}
} // namespace

void myQQuickView::ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                                     uchar color, uchar bl0, uchar bl1)
{
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(ledTypeKey, QVariantList{int(type), int(brightness), int(speed),
                                                   int(direction), int(color), int(bl0), int(bl1)});
    if (hidThread)
        hidThread->hid_08H_SetLEDType(type, brightness, speed, direction, color, bl0, bl1);
}

// The stored picture is what the keyboard gets: 512 values, missing ones 0. An option of 255
// only stores it; the colour page saves the pictures it does not show that way.
void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src384)
{
    const QVariantList values = fittedList(src384, pictureValues);
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(pictureKey(index), values);
    if (option == 255 || !hidThread)
        return;

    std::array<std::array<uchar, pictureMatrix>, 4> planes{};
    for (int k = 0; k < pictureMatrix; ++k) {
        planes[0][size_t(k)] = uchar(values.at(4 * k).toInt());
        for (int c = 1; c < 4; ++c)
            planes[size_t(c)][size_t(k)] = toKeyboardColor(values.at(4 * k + c));
    }
    // Each plane waits for the one before, with events running: the device object may be gone
    // by the next.
    for (uchar plane = 0; plane < 4 && hidThread; ++plane) {
        copySecondSwitches(planes[plane].data(), 1);
        hidThread->hid_12H_SetUserPicture(index, plane, planes[plane].data());
    }
}

void myQQuickView::ui_30H_SetColor(QVariantList src21)
{
    const QVariantList values = fittedList(src21, colorValues);
    std::array<uchar, colorBlock> block{};
    for (int i = 0; i < colorValues; ++i)
        block[size_t(i)] = toKeyboardColor(values.at(i));
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(colorKey, values);
    if (hidThread)
        hidThread->hid_30H_SetSevenColor(block.data());
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    const QSettings *profile = currentProfileSettings();
    return profile ? settingsList(*profile, ledTypeKey) : QVariantList();
}

// A picture never stored, or stored with the wrong length, is all zeros.
QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    const QSettings *profile = currentProfileSettings();
    const QVariantList picture =
        profile ? settingsList(*profile, pictureKey(index)) : QVariantList();
    if (picture.size() == pictureValues)
        return picture;
    return QVariantList(pictureValues, 0);
}

QVariantList myQQuickView::ui_B0H_GetColor()
{
    const QSettings *profile = currentProfileSettings();
    return profile ? settingsList(*profile, colorKey) : QVariantList();
}

// Takes the keyboard's lighting into the active profile; each half that the keyboard does not
// answer leaves the stored value alone. Each get runs events while it waits for the keyboard,
// and a profile reset, import or switch among them replaces or changes the active profile: the
// profile is looked up again after every wait, never kept across one.
void myQQuickView::syncLed()
{
    if (!hidThread || !currentProfileSettings())
        return;
    uchar type = 0, brightness = 0, speed = 0, direction = 0, color = 0, bl0 = 0, bl1 = 0;
    if (hidThread->hid_88H_GetLEDType(type, brightness, speed, direction, color, bl0, bl1))
        if (QSettings *profile = currentProfileSettings())
            profile->setValue(ledTypeKey,
                              QVariantList{int(type), int(brightness), int(speed), int(direction),
                                           int(color), int(bl0), int(bl1)});

    std::array<uchar, colorBlock> block{};
    if (!hidThread || !hidThread->hid_B0H_GetSevenColor(block.data()))
        return;
    QVariantList colors;
    for (int i = 0; i < colorValues; ++i)
        colors.append(int(block[size_t(i)]) * 4);
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(colorKey, colors);
}
