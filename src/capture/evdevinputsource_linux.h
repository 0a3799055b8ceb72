#pragma once

#include "capture/keyrecord_linux.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class InputHook;
class QFileSystemWatcher;
class QSocketNotifier;

// Watches the kernel's input devices (/dev/input/event*) where there is no X display: every
// keyboard and mouse this process may read. The devices are read, never grabbed, so every event
// still reaches whoever else listens. The folder is watched too, so that a keyboard plugged in
// later is heard as well.
class EvdevInputSource
{
public:
    explicit EvdevInputSource(InputHook &hook);
    ~EvdevInputSource();

    EvdevInputSource(const EvdevInputSource &) = delete;
    EvdevInputSource &operator=(const EvdevInputSource &) = delete;

    // Opens every readable device in `folder` that has keys or mouse buttons, and from then on
    // every one that appears there; false when there is none yet.
    bool openDevices(const QString &folder);
    // Watches an event stream that is already open, taking ownership of `fd`.
    void addDevice(int fd);
    void close();

private:
    struct Device {
        int fd = -1;
        QByteArray path; // empty for streams handed in by addDevice
        std::unique_ptr<QSocketNotifier> notifier;
    };

    void readDevice(Device &device);
    void openNewDevices();
    bool isWatched(const QByteArray &path) const;
    void watchFolder();

    InputHook &hook;
    std::vector<std::unique_ptr<Device>> devices;
    QString folder;
    std::unique_ptr<QFileSystemWatcher> folderWatcher;
    KeyRecordBuilder keys;
};
