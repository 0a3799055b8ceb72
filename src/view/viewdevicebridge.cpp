#include "view/myqquickview.h"

#include "backend/secondswitches.h"
#include "device/hidthread.h"
#include "storage/listvalues.h"

#include <QSettings>

#include <array>

namespace
{
constexpr int matrixPositions = 128;
constexpr int matrixBytes = 2 * matrixPositions;
} // namespace

QString myQQuickView::keydefineKey(const QString &position) const
{
    return QStringLiteral("keydefine") + QString::number(kbLayoutType) + QLatin1Char('/') +
           position;
}

// Only the second device of the table keeps a report rate.
void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    if (!hidThread || hidThread->selectedDevice() != 1)
        return;
    if (QSettings *profile = currentProfileSettings())
        profile->setValue(QStringLiteral("sensor/reportRate_R8"), int(rate));
}

// The keyboard option carries two more bytes the pages know nothing of: send them back as read.
void myQQuickView::ui_02H_SetKeyboardMode(uchar mode)
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

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1)
{
    if (hidThread)
        hidThread->hid_04H_SetButtonSensitivity(sens1);
}

// src256 holds low byte, high byte of every matrix position; missing elements count as 0.
void myQQuickView::ui_0C0DH_SetKeyMatrix(QVariantList src256)
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

void myQQuickView::ui_13H_SetRecoveryData()
{
    if (hidThread)
        hidThread->hid_13H_SetRecoveryData();
}

// A profile we keep no file for is not selected: every later slot would have nowhere to store.
void myQQuickView::ui_21H_SetCurrentProfile(int profile)
{
    if (!profileAt(profile))
        return;
    currentProfile = uchar(profile);
    if (hidThread)
        hidThread->hid_21H_SetCurrentProfile(uchar(profile));
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    return QStringLiteral("unknown");
}

QVariant myQQuickView::ui_80H_GetHWMode()
{
    return int(kbLayoutType);
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return 0;
}

QVariant myQQuickView::ui_82H_GetKeyboardMode()
{
    uchar byte1 = 0;
    uchar byte2 = 0;
    uchar byte3 = 0;
    if (hidThread)
        hidThread->hid_82H_GetKeyboardoption(byte1, byte2, byte3);
    return int(byte1);
}

QVariant myQQuickView::ui_84H_GetButtonSensitivity()
{
    uchar sens1 = 0;
    if (hidThread)
        hidThread->hid_84H_GetButtonSensitivity(sens1);
    return int(sens1);
}

QVariantList myQQuickView::ui_8C8DH_GetKeyMatrix()
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
QVariant myQQuickView::ui_A1H_GetCurrentProfile()
{
    return int(currentProfile);
}

// [low byte, high byte] as stored; the page adds element 1 × 256 to element 0.
QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    const QSettings *profile = currentProfileSettings();
    if (!profile)
        return {};
    return settingsList(*profile, keydefineKey(matrixId.toString()));
}
