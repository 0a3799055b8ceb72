#include "device/systemhidbackend.h"

#include "device/virtual/virtualkeyboard.h"

#include <QMutexLocker>
#include <QThread>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

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

HidBackend::OpenFailure SystemHidBackend::openFailure(const char *path)
{
#ifdef Q_OS_WIN
    // Another program holding the interface exclusively is what refuses an open here.
    const HANDLE device =
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (device != INVALID_HANDLE_VALUE) {
        CloseHandle(device);
        return OpenFailure::Gone;
    }
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? OpenFailure::InUse
                                                                            : OpenFailure::Gone;
#else
    // hidapi opens the hidraw node read-write; the same open tells why it was refused.
    const int device = ::open(path, O_RDWR | O_CLOEXEC);
    if (device >= 0) {
        ::close(device);
        return OpenFailure::Gone;
    }
    switch (errno) {
    case EACCES:
    case EPERM:
        return OpenFailure::NoPermission;
    case EBUSY:
        return OpenFailure::InUse;
    default:
        return OpenFailure::Gone;
    }
#endif
}

void HidBackend::pause(int milliseconds)
{
    QThread::msleep(ulong(milliseconds));
}

HidBackend &HidBackend::forEnvironment()
{
    if (qEnvironmentVariableIntValue("R7_VIRTUAL_KEYBOARD") == 1)
        return VirtualKeyboard::shared();
    static SystemHidBackend system;
    return system;
}
