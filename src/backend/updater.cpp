#include "backend/updater.h"

#include "backend/bridgelog.h"
#include "device/hidthread.h"

#include <QFile>
#include <QProcess>
#include <QThread>

void launchUpdater(Hid_Thread *hid, QObject *parent)
{
    if (hid)
        hid->stopWorker();
    QThread::msleep(500);
    const QString updater = QStringLiteral("./modules/update/flashOnLine.exe");
    if (!QFile::exists(updater)) {
        qCInfo(lcBridge) << "No updater at" << updater;
        return;
    }
    auto *process = new QProcess(parent);
    process->start(updater, {}, QIODevice::ReadWrite);
}
