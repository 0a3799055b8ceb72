#pragma once

#include "device/hidbackend.h"

#include <QMutex>

// The real keyboard, through the system's hidapi (the hidraw backend on Linux).
//
// hidapi keeps process-wide state that it does not guard: hid_enumerate and hid_open_path call
// hid_init, which replaces a global error string, so two of them at once (the worker opening
// the input interface while a transfer opens the command interface) can free it twice. Those
// calls are made one at a time here. Calls on one open handle touch only that handle and are
// never serialised, so a blocking read holds no lock.
class SystemHidBackend final : public HidBackend
{
public:
    SystemHidBackend();

    hid_device_info *enumerate(unsigned short vendorId, unsigned short productId) override;
    void free_enumeration(hid_device_info *devices) override;
    hid_device *open_path(const char *path) override;
    void close(hid_device *device) override;
    int set_nonblocking(hid_device *device, int nonblock) override;
    int send_feature_report(hid_device *device, const unsigned char *data, size_t length) override;
    int get_feature_report(hid_device *device, unsigned char *data, size_t length) override;
    int write(hid_device *device, const unsigned char *data, size_t length) override;
    int read(hid_device *device, unsigned char *data, size_t length) override;
    int read_timeout(hid_device *device, unsigned char *data, size_t length,
                     int milliseconds) override;
    OpenFailure openFailure(const char *path) override;

private:
    // Guards hidapi's global state: enumeration, opening and closing.
    QMutex globalState;
};
