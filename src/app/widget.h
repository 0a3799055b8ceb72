#pragma once

#include "app/uicontroler.h"
#include "device/hidthread.h"

#include <QTimer>
#include <QUrl>
#include <QWidget>

#ifdef Q_OS_LINUX
#include "app/udevdevicemonitor_linux.h"
#endif

// The program's one window: frameless, translucent, filled by the QML view. It owns the device
// object and the device-check timer, and carries the start-up hand-shake with the QML root.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr,
                    const QUrl &rootSource = Ui_Controler::defaultRootSource());
    ~Widget() override;

    // Busy protection on, "initUI" queued, then the start event posted to this window.
    void startUI();

    Ui_Controler *uiController() const { return controller; }
    Hid_Thread &device() { return hid; }
    QTimer *deviceCheckTimer() { return &checkTimer; }

public Q_SLOTS:
    void checkDevice();
    // A device came or went. Ignored while the worker runs: it notices a removal itself.
    void deviceChangeNotified();
    // The worker could not open the keyboard's input interface (any more).
    void workerEnded();

    // Another start of the program asked for the window: un-minimised, on top, active.
    void bringToFront();

protected:
    void customEvent(QEvent *event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
#endif

private Q_SLOTS:
    // Once the interface has made its last start-up step, what the set-up needed only once can
    // go.
    void releaseWhenStartedUp();

private:
    // When the keyboard is listed but `path` refuses to open, the window says why and waits
    // for the user or the next device change instead of checking again. False when the
    // keyboard is simply gone.
    bool reportRefusal(const QString &path);

    // Single-shot: a burst of device changes gives one check, 1024 ms after the last of them.
    QTimer checkTimer;
    // When the check after a worker that could not open the keyboard comes: 1024 ms after a
    // device change, then twice as long each time the worker fails again.
    int retryDelayMs = 1024;
    // Scheduled for deletion by the destructor; the view inside it is a child of this window.
    Ui_Controler *controller = nullptr;
    Hid_Thread hid;
    // The keyboard's interfaces as the last check listed them, before any open could fail.
    DeviceSlot listedDevice;
#ifdef Q_OS_LINUX
    UdevDeviceMonitor deviceMonitor;
#endif
};
