#pragma once

#include <QObject>

struct udev;
struct udev_monitor;
class QSocketNotifier;

// Tells when a hidraw device comes or goes, the Linux counterpart of WM_DEVICECHANGE. Where
// the udev monitor cannot be created (no netlink access) it stays silent.
class UdevDeviceMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UdevDeviceMonitor(QObject *parent = nullptr);
    ~UdevDeviceMonitor() override;

    bool isWatching() const { return notifier != nullptr; }

Q_SIGNALS:
    // One per added or removed hidraw node.
    void deviceChanged();

private:
    void receive();

    udev *context = nullptr;
    udev_monitor *monitor = nullptr;
    QSocketNotifier *notifier = nullptr;
};
