#include "device/devicelog.h"
#include "device/hidthread.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMutexLocker>

namespace
{
constexpr int readTimeoutMs = 500;
constexpr int stopPollMs = 10;
// The largest input report the worker reads: a report ID and the largest payload accepted.
constexpr int maxInputReportLength = 1025;
} // namespace

void Hid_Thread::swichCurDevice(uint did)
{
    currentDevice = int(did);
    {
        QMutexLocker lock(&deviceListLock);
        if (did >= uint(deviceList.size()) || deviceList.at(int(did)).commandPath.isEmpty())
            return;
    }
    startWorker(did);
}

void Hid_Thread::startWorker(uint did)
{
    stopWorker();
    workerRunning = true;
    worker = std::thread([this, did] { watchInput(did); });
}

void Hid_Thread::stopWorker()
{
    // Wait even when the flag is already down: a worker that lowered it on finding the keyboard
    // gone may still be saying so. A finished or never started worker returns at once.
    workerRunning = false;
    if (worker.joinable())
        worker.join();
}

// A slot whose input interface is already known to be unusable ends the worker at its first
// open, as a keyboard gone would: the flag never claims a worker that is not listening.
void Hid_Thread::watchInput(uint did)
{
    int reportLength = 0;
    {
        QMutexLocker lock(&deviceListLock);
        if (did < uint(deviceList.size()))
            reportLength = deviceList.at(int(did)).reportLength;
    }
    watchLoop(did, std::clamp(reportLength + 1, notificationLength, maxInputReportLength));
}

// Reads into a buffer that holds any report of the interface: where the input collection shares
// its node with the command collection, the data reports of every query arrive here too, and
// only a report of exactly the notification's length is one.
void Hid_Thread::watchLoop(uint did, int bufferLength)
{
    std::vector<uchar> report(static_cast<size_t>(bufferLength));
    while (workerRunning) {
        QElapsedTimer pass;
        pass.start();
        if (!openInputInterface(int(did))) {
            qCDebug(lcDevice, "Device removed");
            workerRunning = false;
            Q_EMIT deviceRemoved();
            return;
        }
        std::fill(report.begin(), report.end(), uchar(0));
        int got = hidapi.read_timeout(inputHandle, report.data(), report.size(), readTimeoutMs);
        while (got > 0 && workerRunning) {
            if (got == notificationLength) {
                QVariantList ledType;
                for (int i = 4; i <= 10; ++i)
                    ledType.append(int(report[size_t(i)]));
                Q_EMIT ledStateReceived(ledType);
            }
            // The reports already queued on this handle go with it at the close: take them now.
            std::fill(report.begin(), report.end(), uchar(0));
            got = hidapi.read_timeout(inputHandle, report.data(), report.size(), 0);
        }
        hidapi.close(inputHandle);
        inputHandle = nullptr;
        // An interface that fails every read at once would otherwise be reopened in a tight
        // loop; such a pass lasts as long as a quiet one, unless the worker is stopped.
        if (got < 0) {
            const QDeadlineTimer passEnd(std::max<qint64>(0, readTimeoutMs - pass.elapsed()));
            while (workerRunning && !passEnd.hasExpired())
                QThread::msleep(stopPollMs);
        }
    }
}
