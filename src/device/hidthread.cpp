#include "device/hidthread.h"

#include "device/devicelog.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include <algorithm>
#include <vector>

namespace
{
// Largest report payload accepted from the device table; anything beyond is not a HID report.
constexpr int maxReportLength = 1024;
// Data reports that never come end a query after this long instead of stalling the GUI thread.
constexpr int dataReportTimeoutMs = 1000;
// How long a command waits for the transport: 255 polls of 8 ms, counted as time, so that
// the commands running nested in the wait cannot shorten it.
constexpr int idleWaitMs = 255 * 8;
constexpr int idlePollIntervalMs = 8;
// A transfer makes no new call into the keyboard after this long: a keyboard that answers
// each call slowly fails the command instead of holding the window or the shutdown.
constexpr int transferBudgetMs = 2000;
constexpr int dataReportPauseMs = 8;
// A feature report is the report ID and eight bytes.
constexpr int featureReportLength = 9;
// Command bytes from here up are queries.
constexpr uchar firstQueryCode = 0x80;
} // namespace

Hid_Thread::Hid_Thread(HidBackend &backend) : hidapi(backend) {}

Hid_Thread::~Hid_Thread()
{
    stopping = true;
    stopWorker();
    // A set transfer may still be running with this object's buffers. It starts no new call
    // into the keyboard now, so this lasts at most the call in progress.
    if (setTransfer.joinable())
        setTransfer.join();
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
        // Every read and write here counts on a blocking handle.
        if (hidapi.set_nonblocking(handle, 0) == 0)
            return handle;
        hidapi.close(handle);
        handle = nullptr;
        return nullptr;
    }
    // The keyboard is gone or not ours to open: stay away from it until the next device check.
    QMutexLocker lock(&deviceListLock);
    if (index < deviceList.size() && deviceList.at(index).*path == opened)
        (deviceList[index].*path).clear();
    return nullptr;
}

bool Hid_Thread::waitIdle()
{
    if (takeTransport())
        return true;
    const QDeadlineTimer deadline(idleWaitMs);
    while (!deadline.hasExpired()) {
        const qint64 left = std::max<qint64>(1, deadline.remainingTime());
        {
            std::unique_lock<std::mutex> lock(transportLock);
            transportFreed.wait_for(
                lock, std::chrono::milliseconds(std::min<qint64>(idlePollIntervalMs, left)),
                [this] { return transportIdle.load(); });
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (takeTransport())
            return true;
    }
    return false;
}

bool Hid_Thread::takeTransport()
{
    std::lock_guard<std::mutex> lock(transportLock);
    if (!transportIdle)
        return false;
    transportIdle = false;
    // The set transfer that gave the transport back has nothing left to do but end.
    if (setTransfer.joinable())
        setTransfer.join();
    return true;
}

void Hid_Thread::giveBackTransport()
{
    std::lock_guard<std::mutex> lock(transportLock);
    transportIdle = true;
    transportFreed.notify_all();
}

bool Hid_Thread::keyboardPresent() const
{
    if (!keyboardAccepted)
        return false;
    const int index = currentDevice;
    QMutexLocker lock(&deviceListLock);
    return index >= 0 && index < deviceList.size() && !deviceList.at(index).commandPath.isEmpty();
}

bool Hid_Thread::mayCallKeyboard() const
{
    return !stopping && !transferDeadline.hasExpired();
}

// The start of every transfer: its time budget begins, and its failure will be news for the
// user only if there was a keyboard to fail.
bool Hid_Thread::currentSlotUsable(int &reportLength)
{
    transferDeadline = QDeadlineTimer(transferBudgetMs);
    transferReportsFailure = false;
    if (!keyboardAccepted)
        return false;
    const int index = currentDevice;
    {
        QMutexLocker lock(&deviceListLock);
        if (index < 0 || index >= deviceList.size())
            return false;
        reportLength = deviceList.at(index).reportLength;
        transferReportsFailure = !deviceList.at(index).commandPath.isEmpty();
    }
    if (reportLength < 1 || reportLength > maxReportLength)
        return false;
    return reopenCommandInterface();
}

bool Hid_Thread::reopenCommandInterface()
{
    return mayCallKeyboard() && openCommandInterface(currentDevice) != nullptr;
}

// Every transfer starts alike: a usable keyboard, then the command report on a fresh handle.
bool Hid_Thread::sendCommandReport(int &reportLength)
{
    return currentSlotUsable(reportLength) && reopenCommandInterface() && mayCallKeyboard() &&
           hidapi.send_feature_report(commandHandle, cmdReport.data(), cmdReport.size()) >=
               featureReportLength;
}

// Every exit of a transfer closes the interface and gives the transport back, so that a failed
// transfer never blocks the commands after it.
bool Hid_Thread::endTransfer(bool succeeded)
{
    if (commandHandle) {
        hidapi.close(commandHandle);
        commandHandle = nullptr;
    }
    if (!succeeded && transferReportsFailure) {
        Q_EMIT commandFailed(cmdReport[1]);
        // Queries run on the GUI thread, set commands on their own.
        if (cmdReport[1] >= firstQueryCode)
            holdQueries();
    }
    giveBackTransport();
    return succeeded;
}

void Hid_Thread::holdQueries()
{
    if (queriesHeld)
        return;
    queriesHeld = true;
    qCDebug(lcDevice, "The keyboard does not answer; the queries that follow fail at once");
    QMetaObject::invokeMethod(
        this, [this] { queriesHeld = false; }, Qt::QueuedConnection);
}

// One data report of a query, on a fresh handle. Where the command and input collections share
// one node, every handle also receives the keyboard's lighting notifications: they are not data
// and are passed over.
bool Hid_Thread::readDataReport(std::vector<uchar> &report, int reportLength)
{
    if (!reopenCommandInterface())
        return false;
    while (mayCallKeyboard()) {
        std::fill(report.begin(), report.end(), uchar(0));
        const int timeoutMs =
            int(std::clamp<qint64>(transferDeadline.remainingTime(), 1, dataReportTimeoutMs));
        const int got = hidapi.read_timeout(commandHandle, report.data(), report.size(), timeoutMs);
        if (got <= 0)
            return false;
        if (got != notificationLength || reportLength == notificationLength)
            return true;
    }
    return false;
}

bool Hid_Thread::queryTransfer(int n)
{
    int reportLength = 0;
    if (!sendCommandReport(reportLength))
        return endTransfer(false);
    // An answer shorter than the report would leave stale request bytes among the values.
    if (!reopenCommandInterface() || !mayCallKeyboard() ||
        hidapi.get_feature_report(commandHandle, ansReport.data(), ansReport.size()) <
            featureReportLength)
        return endTransfer(false);

    const int chunk = std::min(n, reportLength);
    std::vector<uchar> report(size_t(reportLength) + 1);
    for (int offset = 0; offset < n; offset += chunk) {
        if (!readDataReport(report, reportLength))
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
        if (!reopenCommandInterface() || !mayCallKeyboard() ||
            hidapi.write(commandHandle, report.data(), report.size()) < int(report.size()))
            return endTransfer(false);
        hidapi.pause(dataReportPauseMs);
    }
    return endTransfer(true);
}
