#pragma once

#include "app/keyrecord_linux.h"

#include <QString>

#include <memory>
#include <vector>

class InputHook;
class QSocketNotifier;

// Watches the kernel's input devices (/dev/input/event*) where there is no X display: every
// keyboard and mouse this process may read. The devices are read, never grabbed, so every event
// still reaches whoever else listens. Devices plugged in later are not picked up.
class EvdevInputSource
{
public:
    explicit EvdevInputSource(InputHook &hook);
    ~EvdevInputSource();

    EvdevInputSource(const EvdevInputSource &) = delete;
    EvdevInputSource &operator=(const EvdevInputSource &) = delete;

    // Opens every readable device in `folder` that has keys or mouse buttons; false when none.
    bool openDevices(const QString &folder);
    // Watches an event stream that is already open, taking ownership of `fd`.
    void addDevice(int fd);
    void close();

private:
    struct Device {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
    };

    void readDevice(Device &device);

    InputHook &hook;
    std::vector<std::unique_ptr<Device>> devices;
    KeyRecordBuilder keys;
};
