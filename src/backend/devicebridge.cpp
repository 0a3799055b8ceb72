#include "backend/devicebridge.h"

#include "backend/applicationsettings.h"
#include "backend/bridgelog.h"
#include "backend/firmwarecheck.h"
#include "backend/hardwaredefinition.h"
#include "backend/profilestore.h"
#include "backend/secondswitches.h"
#include "device/devicetable.h"
#include "device/hidthread.h"
#include "storage/listvalues.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace
{
constexpr int matrixPositions = 128;
constexpr int matrixBytes = 2 * matrixPositions;
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

DeviceBridge::DeviceBridge(const HardwareDefinition &definition,
                           const ApplicationSettings &applicationSettings, ProfileStore &store)
    : hardware(definition), settings(applicationSettings), profiles(store),
      kbLayoutType(definition.layoutType())
{
}

void DeviceBridge::setHidThread(Hid_Thread *hid)
{
    if (hidThread)
        disconnect(hidThread, nullptr, this, nullptr);
    hidThread = hid;
    if (!hid)
        return;
    connect(hid, &Hid_Thread::ledStateReceived, this, &DeviceBridge::storeLedState,
            Qt::QueuedConnection);
    // A failed version query is told by the firmware check itself: the keyboard shows as not
    // connected.
    connect(
        hid, &Hid_Thread::commandFailed, this,
        [this](uchar code) {
            constexpr uchar versionQuery = 0x80;
            if (code != versionQuery)
                Q_EMIT commandNotTaken(code);
        },
        Qt::QueuedConnection);
}

QSettings *DeviceBridge::currentProfileSettings() const
{
    return profiles.active();
}

// The keyboard changed its lighting by itself: keep the profile file in step, then let the
// pages reload from it.
void DeviceBridge::storeLedState(const QVariantList &ledType)
{
    if (QSettings *profile = currentProfileSettings()) {
        profile->setValue(QStringLiteral("color/ledType"), ledType);
        profile->sync();
    }
    Q_EMIT lightingStored();
}

DeviceSlot DeviceBridge::findKeyboard(Listening listening)
{
    if (!hidThread)
        return {};
    const QStringList productNames =
        settings.value(QStringLiteral("common/product_name")).toStringList();
    hidThread->updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), productNames));
    const int selected = hidThread->selectedDevice();
    const DeviceSlot listed = hidThread->devices().value(selected);
    if (listening == Listening::On)
        hidThread->swichCurDevice(uint(selected));
    syncFW();
    return listed;
}

void DeviceBridge::syncFW()
{
    // A query that gets no answer leaves these as they are: zeros refuse the keyboard.
    ushort version = 0;
    uchar code0 = 0;
    uchar code1 = 0;
    if (hidThread)
        hidThread->hid_80H_GetFWVersion(version, kbLayoutType, code0, code1);
    const bool accepted = isAcceptedFirmware(version, code0, code1);
    qCDebug(lcBridge, "Firmware %04x, code %02x %02x: %s", version, code0, code1,
            accepted ? "accepted" : "refused");
    Q_EMIT firmwareChecked(accepted);
    if (hidThread)
        hidThread->setKeyboardAccepted(accepted);
    // Every supported keyboard is driven with the key table of layout 1, whatever it reports.
    kbLayoutType = 1;
    if (hidThread)
        hidThread->hid_A1H_GetCurrentProfile(profiles.activeIndexAnswer());

    keyNameToCode.clear();
    const QVariantList names = hardware.keyNames();
    const QVariantList codes = hardware.keyCodes();
    const qsizetype count = std::min(names.size(), codes.size());
    for (qsizetype i = 0; i < count; ++i)
        keyNameToCode.insert(names.at(i).toString(), uchar(codes.at(i).toUInt()));
}

QString DeviceBridge::keydefineKey(const QString &position) const
{
    return QStringLiteral("keydefine") + QString::number(kbLayoutType) + QLatin1Char('/') +
           position;
}

// Only the second device of the table keeps a report rate.
void DeviceBridge::ui_01H_SetReportRate(uchar rate)
{
    if (!hidThread || hidThread->selectedDevice() != 1)
        return;
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(QStringLiteral("sensor/reportRate_R8"), int(rate));
}

// The keyboard option carries two more bytes the pages know nothing of: send them back as read.
void DeviceBridge::ui_02H_SetKeyboardMode(uchar mode)
{
    if (!hidThread)
        return;
    uchar byte1 = 0;
    uchar byte2 = 0;
    uchar byte3 = 0;
    hidThread->hid_82H_GetKeyboardoption(byte1, byte2, byte3);
    if (hidThread)
        hidThread->hid_02H_SetKeyboardoption(mode, byte2, byte3);
}

void DeviceBridge::ui_04H_SetButtonSensitivity(uchar sens1)
{
    if (hidThread)
        hidThread->hid_04H_SetButtonSensitivity(sens1);
}

// src256 holds low byte, high byte of every matrix position; missing elements count as 0.
void DeviceBridge::ui_0C0DH_SetKeyMatrix(const QVariantList &src256)
{
    const QVariantList values = fittedList(src256, matrixBytes);
    if (QSettings *profile = currentProfileSettings())
        for (int i = 0; i < matrixPositions; ++i)
            profile->setValue(keydefineKey(QString::number(i)),
                              QVariantList{values.at(2 * i), values.at(2 * i + 1)});

    std::array<uchar, matrixBytes> matrix{};
    for (int k = 0; k < matrixBytes; ++k)
        matrix[size_t(k)] = uchar(values.at(k).toInt());
    copySecondSwitches(matrix.data(), 2);
    if (hidThread)
        hidThread->hid_0CH_SetKeyMatrix_1(matrix.data());
    if (hidThread)
        hidThread->hid_0DH_SetKeyMatrix_2(matrix.data() + matrixPositions);
}

void DeviceBridge::ui_13H_SetRecoveryData()
{
    if (hidThread)
        hidThread->hid_13H_SetRecoveryData();
}

// A profile we keep no file for is not selected: every later slot would have nowhere to store.
void DeviceBridge::ui_21H_SetCurrentProfile(int profile)
{
    if (!profiles.profileAt(profile))
        return;
    profiles.setActiveIndex(uchar(profile));
    if (hidThread)
        hidThread->hid_21H_SetCurrentProfile(uchar(profile));
}

QString DeviceBridge::ui_80H_GetFWVersion() const
{
    return QStringLiteral("unknown");
}

QVariant DeviceBridge::ui_80H_GetHWMode() const
{
    return int(kbLayoutType);
}

QVariant DeviceBridge::ui_81H_GetReportRate() const
{
    return 0;
}

QVariant DeviceBridge::ui_82H_GetKeyboardMode()
{
    uchar byte1 = 0;
    uchar byte2 = 0;
    uchar byte3 = 0;
    if (hidThread)
        hidThread->hid_82H_GetKeyboardoption(byte1, byte2, byte3);
    return int(byte1);
}

QVariant DeviceBridge::ui_84H_GetButtonSensitivity()
{
    uchar sens1 = 0;
    if (hidThread)
        hidThread->hid_84H_GetButtonSensitivity(sens1);
    return int(sens1);
}

QVariantList DeviceBridge::ui_8C8DH_GetKeyMatrix()
{
    std::array<uchar, matrixBytes> matrix{};
    if (hidThread)
        hidThread->hid_8CH_GetKeyMatrix_1(matrix.data());
    if (hidThread)
        hidThread->hid_8DH_GetKeyMatrix_2(matrix.data() + matrixPositions);
    QVariantList values;
    for (uchar byte : matrix)
        values.append(int(byte));
    return values;
}

// The keyboard is not asked: the firmware check read the active profile.
QVariant DeviceBridge::ui_A1H_GetCurrentProfile() const
{
    return int(profiles.activeIndex());
}

// [low byte, high byte] as stored; the page adds element 1 × 256 to element 0.
QVariantList DeviceBridge::getKeydefine(const QVariant &matrixId) const
{
    const QSettings *profile = currentProfileSettings();
    if (!profile)
        return {};
    return settingsList(*profile, keydefineKey(matrixId.toString()));
}

void DeviceBridge::ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
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
void DeviceBridge::ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src384)
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

void DeviceBridge::ui_30H_SetColor(const QVariantList &src21)
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

QVariantList DeviceBridge::ui_88H_GetLEDType() const
{
    const QSettings *profile = currentProfileSettings();
    return profile ? settingsList(*profile, ledTypeKey) : QVariantList();
}

// A picture never stored, or stored with the wrong length, is all zeros.
QVariantList DeviceBridge::ui_92H_GetUserPicture(uchar index) const
{
    const QSettings *profile = currentProfileSettings();
    const QVariantList picture =
        profile ? settingsList(*profile, pictureKey(index)) : QVariantList();
    if (picture.size() == pictureValues)
        return picture;
    return QVariantList(pictureValues, 0);
}

QVariantList DeviceBridge::ui_B0H_GetColor() const
{
    const QSettings *profile = currentProfileSettings();
    return profile ? settingsList(*profile, colorKey) : QVariantList();
}

// Takes the keyboard's lighting into the active profile; each half that the keyboard does not
// answer leaves the stored value alone. Each get runs events while it waits for the keyboard,
// and a profile reset, import or switch among them replaces or changes the active profile: the
// profile is looked up again after every wait, never kept across one.
void DeviceBridge::syncLed()
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
