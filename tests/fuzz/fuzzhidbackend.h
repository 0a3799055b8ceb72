#pragma once

#include "device/hidbackend.h"

#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// A keyboard whose every answer comes from the fuzzer's bytes: each call but a read takes one
// byte that decides whether it fails, and the reads take a length and the bytes delivered.
// Enumeration lists both collections of the embedded device table on one node, as hidraw would.
// Once the bytes run out every call fails, so the worker finds the keyboard gone and ends.
class FuzzHidBackend final : public HidBackend
{
public:
    FuzzHidBackend(const uint8_t *data, size_t size) : next(data), end(data + size) {}
    ~FuzzHidBackend() override = default;

    hid_device_info *enumerate(unsigned short vendorId, unsigned short productId) override
    {
        hid_device_info *input = describe(vendorId, productId, 0xFF02, nullptr);
        return describe(vendorId, productId, 0xFF01, input);
    }

    void free_enumeration(hid_device_info *devices) override
    {
        while (devices) {
            hid_device_info *following = devices->next;
            std::free(devices->path);
            std::free(devices);
            devices = following;
        }
    }

    hid_device *open_path(const char *) override
    {
        return fails() ? nullptr : reinterpret_cast<hid_device *>(&handleTag);
    }
    void close(hid_device *) override {}
    // A failed open is the keyboard gone: the fuzzer's bytes say nothing about permissions.
    OpenFailure openFailure(const char *) override { return OpenFailure::Gone; }
    // No firmware needs time here: the pauses would only slow the fuzzer down.
    void pause(int) override {}
    int set_nonblocking(hid_device *, int) override { return fails() ? -1 : 0; }

    int send_feature_report(hid_device *, const unsigned char *, size_t length) override
    {
        return fails() ? -1 : int(length) - int(take() % 2);
    }
    int get_feature_report(hid_device *, unsigned char *data, size_t length) override
    {
        return fails() ? -1 : fill(data, length);
    }
    int write(hid_device *, const unsigned char *, size_t length) override
    {
        return fails() ? -1 : int(length) - int(take() % 2);
    }
    int read(hid_device *device, unsigned char *data, size_t length) override
    {
        return read_timeout(device, data, length, -1);
    }
    // Never fails: a failed read makes the worker pause for its whole pass, which would only
    // slow the fuzzer down. A length byte of 0 is a read that timed out.
    int read_timeout(hid_device *, unsigned char *data, size_t length, int) override
    {
        return fill(data, length);
    }

private:
    static hid_device_info *describe(unsigned short vendorId, unsigned short productId,
                                     unsigned short usagePage, hid_device_info *following)
    {
        auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
        info->path = static_cast<char *>(std::calloc(16, 1));
        std::strcpy(info->path, "fuzz:hidraw0");
        info->vendor_id = vendorId;
        info->product_id = productId;
        info->usage_page = usagePage;
        info->usage = 0x0001;
        info->next = following;
        return info;
    }

    uint8_t take()
    {
        QMutexLocker locker(&lock);
        return next < end ? *next++ : 0xFF;
    }
    bool fails()
    {
        QMutexLocker locker(&lock);
        return next >= end || (*next++ & 0x0F) == 0;
    }
    // Delivers up to `length` fuzzer bytes; the count comes from the fuzzer too.
    int fill(unsigned char *data, size_t length)
    {
        QMutexLocker locker(&lock);
        if (next >= end)
            return 0;
        const size_t wanted = std::min<size_t>(*next++, length);
        const size_t count = std::min<size_t>(wanted, size_t(end - next));
        std::memcpy(data, next, count);
        next += count;
        return int(count);
    }

    QMutex lock;
    const uint8_t *next;
    const uint8_t *end;
    int handleTag = 0;
};
