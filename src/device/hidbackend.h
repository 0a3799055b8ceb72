#pragma once

#include <hidapi/hidapi.h>

// The only way into HID: exactly the hidapi calls the device object makes, with hidapi's own
// signatures and failure rules (a negative result or null is a failure), and the pauses it
// keeps between them. The system backend forwards to hidapi; the virtual keyboard answers them
// itself. A backend is shared by the GUI thread, the transfer thread and the worker, so every
// implementation must be safe to call from any thread.
class HidBackend
{
public:
    virtual ~HidBackend() = default;

    // Caller frees the list with free_enumeration. Null when nothing matches.
    virtual hid_device_info *enumerate(unsigned short vendorId, unsigned short productId) = 0;
    virtual void free_enumeration(hid_device_info *devices) = 0;

    // Null on failure. The handle stays valid until close.
    virtual hid_device *open_path(const char *path) = 0;
    virtual void close(hid_device *device) = 0;
    virtual int set_nonblocking(hid_device *device, int nonblock) = 0;

    // data[0] is the report ID; each returns the bytes moved or -1.
    virtual int send_feature_report(hid_device *device, const unsigned char *data,
                                    size_t length) = 0;
    virtual int get_feature_report(hid_device *device, unsigned char *data, size_t length) = 0;
    virtual int write(hid_device *device, const unsigned char *data, size_t length) = 0;

    // Input reports arrive without a report-ID byte. 0 means nothing arrived in time.
    virtual int read(hid_device *device, unsigned char *data, size_t length) = 0;
    virtual int read_timeout(hid_device *device, unsigned char *data, size_t length,
                             int milliseconds) = 0;

    // Why open_path(path) failed, asked right after it did: hidapi itself does not say, and a
    // keyboard that is there but may not be opened needs the user to act, not a retry. Gone
    // also stands for "nothing in the way any more": the failure may not last.
    enum class OpenFailure { Gone, NoPermission, InUse };
    virtual OpenFailure openFailure(const char *path) = 0;

    // The pause the keyboard's firmware needs after some commands and between data reports: a
    // real sleep of the calling thread. A keyboard without firmware behind it may skip it.
    virtual void pause(int milliseconds);

    // The virtual keyboard when R7_VIRTUAL_KEYBOARD=1, otherwise the system's hidapi.
    static HidBackend &forEnvironment();
};
