#include "view/myqquickview.h"

#include "device/hidthread.h"
#include "view/viewlog.h"

#include <QFile>
#include <QProcess>
#include <QThread>

void myQQuickView::openUpdateExe()
{
    // The updater needs the keyboard to itself; the next device check starts the worker again.
    if (hidThread)
        hidThread->stopWorker();
    QThread::msleep(500);
    const QString updater = QStringLiteral("./modules/update/flashOnLine.exe");
    if (!QFile::exists(updater)) {
        qCInfo(lcView) << "No updater at" << updater;
        return;
    }
    auto *process = new QProcess(this);
    process->start(updater, {}, QIODevice::ReadWrite);
}
