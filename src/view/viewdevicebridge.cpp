#include "view/myqquickview.h"

void myQQuickView::ui_01H_SetReportRate(uchar rate)
{
    objects.bridge().ui_01H_SetReportRate(rate);
}

void myQQuickView::ui_02H_SetKeyboardMode(uchar mode)
{
    objects.bridge().ui_02H_SetKeyboardMode(mode);
}

void myQQuickView::ui_04H_SetButtonSensitivity(uchar sens1)
{
    objects.bridge().ui_04H_SetButtonSensitivity(sens1);
}

void myQQuickView::ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                                     uchar color, uchar bl0, uchar bl1)
{
    objects.bridge().ui_08H_SetLEDType(type, brightness, speed, direction, color, bl0, bl1);
}

void myQQuickView::ui_0C0DH_SetKeyMatrix(QVariantList src256)
{
    objects.bridge().ui_0C0DH_SetKeyMatrix(src256);
}

void myQQuickView::ui_12H_SetUserPicture(uchar index, uchar option, QVariantList src384)
{
    objects.bridge().ui_12H_SetUserPicture(index, option, src384);
}

void myQQuickView::ui_13H_SetRecoveryData()
{
    objects.bridge().ui_13H_SetRecoveryData();
}

void myQQuickView::ui_21H_SetCurrentProfile(int profile)
{
    objects.bridge().ui_21H_SetCurrentProfile(profile);
}

void myQQuickView::ui_30H_SetColor(QVariantList src21)
{
    objects.bridge().ui_30H_SetColor(src21);
}

QString myQQuickView::ui_80H_GetFWVersion()
{
    return objects.bridge().ui_80H_GetFWVersion();
}

QVariant myQQuickView::ui_80H_GetHWMode()
{
    return objects.bridge().ui_80H_GetHWMode();
}

QVariant myQQuickView::ui_81H_GetReportRate()
{
    return objects.bridge().ui_81H_GetReportRate();
}

QVariant myQQuickView::ui_82H_GetKeyboardMode()
{
    return objects.bridge().ui_82H_GetKeyboardMode();
}

QVariant myQQuickView::ui_84H_GetButtonSensitivity()
{
    return objects.bridge().ui_84H_GetButtonSensitivity();
}

QVariantList myQQuickView::ui_88H_GetLEDType()
{
    return objects.bridge().ui_88H_GetLEDType();
}

QVariantList myQQuickView::ui_8C8DH_GetKeyMatrix()
{
    return objects.bridge().ui_8C8DH_GetKeyMatrix();
}

QVariantList myQQuickView::ui_92H_GetUserPicture(uchar index)
{
    return objects.bridge().ui_92H_GetUserPicture(index);
}

QVariant myQQuickView::ui_A1H_GetCurrentProfile()
{
    return objects.bridge().ui_A1H_GetCurrentProfile();
}

QVariantList myQQuickView::ui_B0H_GetColor()
{
    return objects.bridge().ui_B0H_GetColor();
}

QVariantList myQQuickView::getKeydefine(QVariant matrixId)
{
    return objects.bridge().getKeydefine(matrixId);
}

void myQQuickView::syncLed()
{
    objects.bridge().syncLed();
}
