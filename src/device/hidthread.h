#pragma once

#include "device/deviceslot.h"
#include "device/devinfoentry.h"
#include "device/hidbackend.h"

#include <QDeadlineTimer>
#include <QList>
#include <QMutex>
#include <QThread>
#include <QVariantList>

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// The one object that talks to the keyboard. Commands are methods called on the GUI thread:
// get commands run their transfer there, set commands hand theirs to a thread of its own and
// return. A long-lived worker thread listens for the keyboard's lighting notifications.
// Its own QThread is never started.
//
// The threads are plain std::threads, handed their work at their start and joined at their end,
// and the transport is given back under a std::mutex: every hand-off between threads goes through
// the C++ library, where ThreadSanitizer sees it, rather than through Qt's own.
class Hid_Thread : public QThread
{
    Q_OBJECT

public:
    explicit Hid_Thread(HidBackend &backend = HidBackend::forEnvironment());
    ~Hid_Thread() override;

    // Rebuilds the slots from the device table, matching entry 0 against the interfaces present.
    void updateDeviceList(const QList<DevInfoEntry> &entries);
    QList<DeviceSlot> devices() const;
    // Why an interface that was listed could not be opened (see HidBackend::openFailure).
    HidBackend::OpenFailure openFailure(const QString &path) const;
    int selectedDevice() const { return currentDevice; }

    void startWorker(uint did);
    // Returns once the worker has made its last call into this object: at most one pass of
    // the worker (a 500 ms read and the open and close around it).
    void stopWorker();
    bool isWorkerRunning() const { return workerRunning; }
    bool isTransportIdle() const { return transportIdle; }

    // False after a refused firmware check: every transfer but the version query fails at once.
    // Set by the firmware check; the version query itself clears the refusal.
    void setKeyboardAccepted(bool accepted) { keyboardAccepted = accepted; }
    bool isKeyboardAccepted() const { return keyboardAccepted; }

public Q_SLOTS:
    void swichCurDevice(uint did);

    void hid_02H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3);
    void hid_04H_SetButtonSensitivity(uchar sens1);
    void hid_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction, uchar color,
                            uchar bl0, uchar bl1);
    void hid_09H_StopMacroSending();
    void hid_0CH_SetKeyMatrix_1(uchar *src128);
    void hid_0DH_SetKeyMatrix_2(uchar *src128);
    void hid_0FH_SetISPBootLoader();
    void hid_10H_SetMacroKey(uchar macroId, uchar *src128);
    void hid_12H_SetUserPicture(uchar index, uchar colorIndex, uchar *src128);
    void hid_13H_SetRecoveryData();
    void hid_21H_SetCurrentProfile(uchar profileId);
    void hid_30H_SetSevenColor(uchar *src64);

    void hid_80H_GetFWVersion(ushort &version, uchar &mode_UsUk, uchar &code0, uchar &code1);
    void hid_82H_GetKeyboardoption(uchar &byte1, uchar &byte2, uchar &byte3);
    void hid_84H_GetButtonSensitivity(uchar &sens1);
    bool hid_88H_GetLEDType(uchar &type, uchar &brightness, uchar &speed, uchar &direction,
                            uchar &color, uchar &bl0, uchar &bl1);
    void hid_8CH_GetKeyMatrix_1(uchar *src128);
    void hid_8DH_GetKeyMatrix_2(uchar *src128);
    void hid_90H_GetMacroKey(uchar macroId, uchar *src128);
    void hid_92H_GetUserPicture(uchar index, uchar colorIndex, uchar *src128);
    void hid_A1H_GetCurrentProfile(uchar &profileId);
    bool hid_B0H_GetSevenColor(uchar *src64);

Q_SIGNALS:
    // Emitted on the worker thread; receivers on the GUI thread get it queued. Carries
    // type, brightness, speed, direction, color, bl0 and bl1 as ints, in that order.
    void ledStateReceived(const QVariantList &ledType);
    // The worker ended because the keyboard's input interface could no longer be opened.
    void deviceRemoved();
    // A command for a keyboard that was there did not reach it: dropped behind a busy
    // transport, or its transfer failed. `code` is the command byte. Emitted on the GUI thread
    // for drops and gets, on the transfer thread for sets.
    void commandFailed(uchar code);

private:
    using Bytes7 = std::array<uchar, 7>;
    // The keyboard's lighting notification, without report ID.
    static constexpr int notificationLength = 12;

    hid_device *openCommandInterface(int index);
    hid_device *openInputInterface(int index);
    hid_device *openInterface(int index, QString DeviceSlot::*path, hid_device *&handle);
    bool waitIdle();
    // A query that got no answer from a keyboard that is there: the queries that follow it in
    // the same run of the GUI thread fail at once, until the event loop turns again.
    void holdQueries();
    bool takeTransport();
    void giveBackTransport();
    bool queryTransfer(int n);
    bool updateTransfer(int n);
    bool sendCommandReport(int &reportLength);
    bool endTransfer(bool succeeded);
    bool currentSlotUsable(int &reportLength);
    bool reopenCommandInterface();
    bool keyboardPresent() const;
    bool mayCallKeyboard() const;
    bool readDataReport(std::vector<uchar> &report, int reportLength);
    void watchInput(uint did);
    void watchLoop(uint did, int bufferLength);

    void runSetCommand(uchar code, const Bytes7 &bytes2to8, const uchar *src, int n, int pauseMs);
    void setCommandReport(uchar code, const Bytes7 &bytes2to8);
    bool beginGetCommand(uchar code, uchar param2, uchar param3, const uchar *src, int n);

    HidBackend &hidapi;

    // Replaced by updateDeviceList on the GUI thread; read, and a path cleared after a failed
    // open, by transfers and the worker on their threads. Guarded by deviceListLock; no HID call
    // is ever made while holding it.
    QList<DeviceSlot> deviceList;
    mutable QMutex deviceListLock;

    // Written by swichCurDevice on the GUI thread, read by set transfers on their thread.
    std::atomic<int> currentDevice{0};

    // Owned by whichever command holds the transport (see transportIdle).
    hid_device *commandHandle = nullptr;
    // Used by the worker only.
    hid_device *inputHandle = nullptr;

    // Owned by whichever command holds the transport: when the running transfer must stop
    // making calls, and whether its failure is news for the user (a keyboard was there).
    QDeadlineTimer transferDeadline;
    bool transferReportsFailure = false;

    // Set by the destructor on the GUI thread, read by set transfers on their thread: a transfer
    // makes no further call into the keyboard once it is set.
    std::atomic<bool> stopping{false};

    // The command interlock: taken (set false) on the GUI thread by waitIdle, given back (set
    // true) by the transfer, on the transfer thread for set commands. Whoever holds it owns
    // cmdReport, ansReport, dataBuffer and commandHandle. It is given back under transportLock
    // and transportFreed wakes a waiting command as soon as it is, instead of at its next 8 ms
    // poll. A set transfer gives it back as its last use of this object.
    std::atomic<bool> transportIdle{true};
    std::mutex transportLock;
    std::condition_variable transportFreed;
    // The thread of the last set transfer: joined before the next one starts and at the end.
    std::thread setTransfer;

    // Set by the GUI thread to start the worker and cleared to stop it; cleared by the worker
    // itself when the keyboard is gone. Read by the worker on every pass.
    std::atomic<bool> workerRunning{false};
    std::thread worker;

    // Written on the GUI thread, read by set transfers on their thread.
    std::atomic<bool> keyboardAccepted{true};

    // Set and cleared on the GUI thread only (see holdQueries): a page reloading after a profile
    // switch asks several queries in a row, and each would wait its full bound again.
    bool queriesHeld = false;

    std::array<uchar, 9> cmdReport{};
    std::array<uchar, 9> ansReport{};
    std::array<uchar, 128> dataBuffer{};
};
