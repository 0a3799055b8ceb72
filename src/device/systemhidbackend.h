#pragma once

#include "device/hidbackend.h"

// The real keyboard, through the system's hidapi (the hidraw backend on Linux).
class SystemHidBackend final : public HidBackend
{
public:
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
};
