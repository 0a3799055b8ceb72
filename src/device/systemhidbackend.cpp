#include "device/systemhidbackend.h"

#include "device/virtualkeyboard.h"

#include <QMutexLocker>
#include <QtGlobal>

SystemHidBackend::SystemHidBackend()
{
    // Once, before any other thread can get here: later calls find hidapi initialised.
    QMutexLocker lock(&globalState);
    hid_init();
}

hid_device_info *SystemHidBackend::enumerate(unsigned short vendorId, unsigned short productId)
{
    QMutexLocker lock(&globalState);
    return hid_enumerate(vendorId, productId);
}

void SystemHidBackend::free_enumeration(hid_device_info *devices)
{
    QMutexLocker lock(&globalState);
    hid_free_enumeration(devices);
}

hid_device *SystemHidBackend::open_path(const char *path)
{
    QMutexLocker lock(&globalState);
    return hid_open_path(path);
}

void SystemHidBackend::close(hid_device *device)
{
    QMutexLocker lock(&globalState);
    hid_close(device);
}

int SystemHidBackend::set_nonblocking(hid_device *device, int nonblock)
{
    return hid_set_nonblocking(device, nonblock);
}

int SystemHidBackend::send_feature_report(hid_device *device, const unsigned char *data,
                                          size_t length)
{
    return hid_send_feature_report(device, data, length);
}

int SystemHidBackend::get_feature_report(hid_device *device, unsigned char *data, size_t length)
{
    return hid_get_feature_report(device, data, length);
}

int SystemHidBackend::write(hid_device *device, const unsigned char *data, size_t length)
{
    return hid_write(device, data, length);
}

int SystemHidBackend::read(hid_device *device, unsigned char *data, size_t length)
{
    return hid_read(device, data, length);
}

int SystemHidBackend::read_timeout(hid_device *device, unsigned char *data, size_t length,
                                   int milliseconds)
{
    return hid_read_timeout(device, data, length, milliseconds);
}

HidBackend &HidBackend::forEnvironment()
{
    if (qEnvironmentVariableIntValue("R7_VIRTUAL_KEYBOARD") == 1)
        return VirtualKeyboard::shared();
    static SystemHidBackend system;
    return system;
}
