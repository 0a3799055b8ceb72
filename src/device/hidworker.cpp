#include "device/devicelog.h"
#include "device/hidthread.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent>

namespace
{
constexpr int notificationLength = 12;
constexpr int readTimeoutMs = 500;
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
    workerFuture =
        QtConcurrent::run(QThreadPool::globalInstance(), [this, did] { watchInput(did); });
}

void Hid_Thread::stopWorker()
{
    if (!workerRunning)
        return;
    workerRunning = false;
    workerFuture.waitForFinished();
}

void Hid_Thread::watchInput(uint did)
{
    {
        QMutexLocker lock(&deviceListLock);
        if (did >= uint(deviceList.size()) || deviceList.at(int(did)).inputPath.isEmpty())
            return;
    }
    // The worker spends its life waiting on the keyboard. It gives its place in the pool back
    // for that time, so a set transfer always finds a thread, however small the pool is.
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->releaseThread();
    watchLoop(did);
    pool->reserveThread();
}

void Hid_Thread::watchLoop(uint did)
{
    while (workerRunning) {
        QElapsedTimer pass;
        pass.start();
        if (!openInputInterface(int(did))) {
            qCDebug(lcDevice, "Device removed");
            workerRunning = false;
            Q_EMIT deviceRemoved();
            return;
        }
        std::array<uchar, notificationLength> report{};
        const int got =
            hidapi.read_timeout(inputHandle, report.data(), report.size(), readTimeoutMs);
        if (got == notificationLength) {
            QVariantList ledType;
            for (int i = 4; i <= 10; ++i)
                ledType.append(int(report[size_t(i)]));
            Q_EMIT ledStateReceived(ledType);
        }
        hidapi.close(inputHandle);
        inputHandle = nullptr;
        // An interface that fails every read at once would otherwise be reopened in a tight
        // loop; such a pass lasts as long as a quiet one.
        if (got < 0 && workerRunning)
            QThread::msleep(ulong(std::max<qint64>(0, readTimeoutMs - pass.elapsed())));
    }
}
