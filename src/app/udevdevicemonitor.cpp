#include "app/udevdevicemonitor.h"

#include "app/applog.h"

#include <QSocketNotifier>

#include <libudev.h>

#include <cstring>

UdevDeviceMonitor::UdevDeviceMonitor(QObject *parent) : QObject(parent)
{
    context = udev_new();
    if (context)
        monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        qCDebug(lcApp, "No udev monitor: keyboards plugged in later are not noticed");
        return;
    }
    notifier = new QSocketNotifier(udev_monitor_get_fd(monitor), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &UdevDeviceMonitor::receive);
}

UdevDeviceMonitor::~UdevDeviceMonitor()
{
    delete notifier;
    if (monitor)
        udev_monitor_unref(monitor);
    if (context)
        udev_unref(context);
}

void UdevDeviceMonitor::receive()
{
    udev_device *device = udev_monitor_receive_device(monitor);
    if (!device)
        return;
    const char *action = udev_device_get_action(device);
    const bool arrivalOrRemoval =
        action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
    udev_device_unref(device);
    if (arrivalOrRemoval)
        Q_EMIT deviceChanged();
}
