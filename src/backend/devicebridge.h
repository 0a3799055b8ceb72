#pragma once

#include "device/deviceslot.h"
#include "device/hidthread.h"

#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantList>

class ApplicationSettings;
class HardwareDefinition;
class ProfileStore;
class QSettings;

// From the values the pages and the command line work with to the keyboard's commands and
// back: every set is stored in the active profile and sent, every get answers from the
// keyboard or the profile. The firmware check that decides whether the keyboard is accepted
// lives here too. Everything here runs on the GUI thread; get commands wait for the keyboard
// with events running, so a profile may be replaced during any of them.
class DeviceBridge : public QObject
{
    Q_OBJECT

public:
    DeviceBridge(const HardwareDefinition &hardware, const ApplicationSettings &settings,
                 ProfileStore &profiles);

    // The device object, not owned; lighting states the keyboard reports are stored here.
    void setHidThread(Hid_Thread *hid);
    Hid_Thread *device() const { return hidThread; }

    // Lists the keyboard's interfaces from the embedded device table, selects it and runs the
    // firmware check. Returns the interfaces as listed, before any open could fail. The window
    // then listens for the keyboard's lighting notifications; a single command does not.
    enum class Listening { On, Off };
    DeviceSlot findKeyboard(Listening listening = Listening::On);
    void syncFW();

    uchar layoutType() const { return kbLayoutType; }
    // Key name to USB usage, as the last firmware check built it from KeyCodeDef.bin.
    const QMap<QString, uchar> &keyNames() const { return keyNameToCode; }

    void ui_01H_SetReportRate(uchar rate);
    void ui_02H_SetKeyboardMode(uchar mode);
    void ui_04H_SetButtonSensitivity(uchar sens1);
    void ui_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction, uchar color,
                           uchar bl0, uchar bl1);
    void ui_0C0DH_SetKeyMatrix(const QVariantList &src256);
    void ui_12H_SetUserPicture(uchar index, uchar option, const QVariantList &src384);
    void ui_13H_SetRecoveryData();
    void ui_21H_SetCurrentProfile(int profile);
    void ui_30H_SetColor(const QVariantList &src21);
    QString ui_80H_GetFWVersion() const;
    QVariant ui_80H_GetHWMode() const;
    QVariant ui_81H_GetReportRate() const;
    QVariant ui_82H_GetKeyboardMode();
    QVariant ui_84H_GetButtonSensitivity();
    QVariantList ui_88H_GetLEDType() const;
    QVariantList ui_8C8DH_GetKeyMatrix();
    QVariantList ui_92H_GetUserPicture(uchar index) const;
    QVariant ui_A1H_GetCurrentProfile() const;
    QVariantList ui_B0H_GetColor() const;
    QVariantList getKeydefine(const QVariant &matrixId) const;
    void syncLed();

Q_SIGNALS:
    // The firmware check decided; the keyboard is driven only when accepted.
    void firmwareChecked(bool accepted);
    // A command for a keyboard that was there did not reach it; `code` is its command byte.
    // A failed version query is not told: the firmware check shows the keyboard as absent.
    void commandNotTaken(uchar code);
    // The keyboard changed its lighting by itself and the active profile now holds it.
    void lightingStored();

private:
    void storeLedState(const QVariantList &ledType);
    QSettings *currentProfileSettings() const;
    QString keydefineKey(const QString &position) const;

    const HardwareDefinition &hardware;
    const ApplicationSettings &settings;
    ProfileStore &profiles;
    QPointer<Hid_Thread> hidThread;
    uchar kbLayoutType = 0;
    QMap<QString, uchar> keyNameToCode;
};
