#include "device/hidthread.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include <algorithm>
#include <vector>

std::atomic<bool> Hid_Thread::keyboardAccepted{true};

namespace
{
// Largest report payload accepted from the device table; anything beyond is not a HID report.
constexpr int maxReportLength = 1024;
// Data reports that never come end a query after this long instead of stalling the GUI thread.
constexpr int dataReportTimeoutMs = 1000;
constexpr int idlePollPasses = 255;
constexpr int idlePollIntervalMs = 8;
constexpr int dataReportPauseMs = 8;
} // namespace

Hid_Thread::Hid_Thread(HidBackend &backend) : hidapi(backend) {}

Hid_Thread::~Hid_Thread()
{
    stopWorker();
    // A set transfer may still be running on the pool with this object's buffers.
    while (!transportIdle)
        transportFreed.tryAcquire(1, idlePollIntervalMs);
}

QList<DeviceSlot> Hid_Thread::devices() const
{
    QMutexLocker lock(&deviceListLock);
    return deviceList;
}

HidBackend::OpenFailure Hid_Thread::openFailure(const QString &path) const
{
    return hidapi.openFailure(path.toLatin1().constData());
}

void Hid_Thread::updateDeviceList(const QList<DevInfoEntry> &entries)
{
    QList<DeviceSlot> list;
    for (int k = 0; k < entries.size(); ++k) {
        const DevInfoEntry &entry = entries.at(k);
        list.append(DeviceSlot{k, entry.name, QString(), QString(), int(entry.reportLength)});
        // Only the first entry is matched: the supported keyboard is always entry 0.
        if (k != 0)
            continue;
        hid_device_info *found = hidapi.enumerate(entry.vid, entry.pid);
        QString commandCandidate;
        QString inputCandidate;
        for (hid_device_info *info = found; info; info = info->next) {
            if (info->usage_page == entry.usagePage && info->usage == entry.usage)
                commandCandidate = QString::fromLocal8Bit(info->path);
            if (info->usage_page == entry.usagePage2 && info->usage == entry.usage2)
                inputCandidate = QString::fromLocal8Bit(info->path);
            if (!commandCandidate.isEmpty() && !inputCandidate.isEmpty())
                list[0] = DeviceSlot{0, entry.name, commandCandidate, inputCandidate,
                                     int(entry.reportLength)};
        }
        hidapi.free_enumeration(found);
    }
    QMutexLocker lock(&deviceListLock);
    deviceList = list;
}

hid_device *Hid_Thread::openCommandInterface(int index)
{
    return openInterface(index, &DeviceSlot::commandPath, commandHandle);
}

hid_device *Hid_Thread::openInputInterface(int index)
{
    return openInterface(index, &DeviceSlot::inputPath, inputHandle);
}

hid_device *Hid_Thread::openInterface(int index, QString DeviceSlot::*path, hid_device *&handle)
{
    QString opened;
    {
        QMutexLocker lock(&deviceListLock);
        if (index < 0 || index >= deviceList.size())
            return nullptr;
        opened = deviceList.at(index).*path;
    }
    if (opened.isEmpty())
        return nullptr;
    if (handle) {
        hidapi.close(handle);
        handle = nullptr;
    }
    handle = hidapi.open_path(opened.toLatin1().constData());
    if (handle) {
        hidapi.set_nonblocking(handle, 0);
        return handle;
    }
    // The keyboard is gone or not ours to open: stay away from it until the next device check.
    QMutexLocker lock(&deviceListLock);
    if (index < deviceList.size() && deviceList.at(index).*path == opened)
        (deviceList[index].*path).clear();
    return nullptr;
}

bool Hid_Thread::waitIdle()
{
    bool idle = true;
    if (transportIdle.compare_exchange_strong(idle, false))
        return true;
    // Wake-ups left over from transfers nobody waited for would shorten the passes below.
    transportFreed.tryAcquire(transportFreed.available());
    for (int pass = 1; pass <= idlePollPasses; ++pass) {
        transportFreed.tryAcquire(1, idlePollIntervalMs);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (pass == idlePollPasses)
            break;
        idle = true;
        if (transportIdle.compare_exchange_strong(idle, false))
            return true;
    }
    return false;
}

void Hid_Thread::giveBackTransport()
{
    transportIdle = true;
    transportFreed.release();
}

bool Hid_Thread::currentSlotUsable(int &reportLength)
{
    if (!keyboardAccepted)
        return false;
    const int index = currentDevice;
    {
        QMutexLocker lock(&deviceListLock);
        if (index < 0 || index >= deviceList.size())
            return false;
        reportLength = deviceList.at(index).reportLength;
    }
    if (reportLength < 1 || reportLength > maxReportLength)
        return false;
    return openCommandInterface(index) != nullptr;
}

// Every transfer starts alike: a usable keyboard, then the command report on a fresh handle.
bool Hid_Thread::sendCommandReport(int &reportLength)
{
    return currentSlotUsable(reportLength) && openCommandInterface(currentDevice) &&
           hidapi.send_feature_report(commandHandle, cmdReport.data(), cmdReport.size()) >= 0;
}

// Every exit of a transfer closes the interface and gives the transport back, so that a failed
// transfer never blocks the commands after it.
bool Hid_Thread::endTransfer(bool succeeded)
{
    if (commandHandle) {
        hidapi.close(commandHandle);
        commandHandle = nullptr;
    }
    giveBackTransport();
    return succeeded;
}

bool Hid_Thread::queryTransfer(int n)
{
    int reportLength = 0;
    if (!sendCommandReport(reportLength))
        return endTransfer(false);
    if (!openCommandInterface(currentDevice) ||
        hidapi.get_feature_report(commandHandle, ansReport.data(), ansReport.size()) < 0)
        return endTransfer(false);

    const int chunk = std::min(n, reportLength);
    std::vector<uchar> report(size_t(reportLength) + 1);
    for (int offset = 0; offset < n; offset += chunk) {
        std::fill(report.begin(), report.end(), uchar(0));
        if (!openCommandInterface(currentDevice) ||
            hidapi.read_timeout(commandHandle, report.data(), report.size(), dataReportTimeoutMs) <=
                0)
            return endTransfer(false);
        const int length = std::min(chunk, n - offset);
        std::copy_n(report.begin(), length, dataBuffer.begin() + offset);
    }
    return endTransfer(true);
}

bool Hid_Thread::updateTransfer(int n)
{
    int reportLength = 0;
    if (!sendCommandReport(reportLength))
        return endTransfer(false);

    const int chunk = std::min(n, reportLength);
    std::vector<uchar> report(size_t(reportLength) + 1, 0);
    for (int offset = 0; offset < n; offset += chunk) {
        const int length = std::min(chunk, n - offset);
        report[0] = 0x00;
        std::copy_n(dataBuffer.begin() + offset, length, report.begin() + 1);
        std::fill(report.begin() + 1 + length, report.end(), uchar(0));
        if (!openCommandInterface(currentDevice) ||
            hidapi.write(commandHandle, report.data(), report.size()) < 0)
            return endTransfer(false);
        QThread::msleep(dataReportPauseMs);
    }
    return endTransfer(true);
}
