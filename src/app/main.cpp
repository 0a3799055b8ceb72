#include "app/devicetable.h"
#include "device/hidthread.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    Hid_Thread hid;
    hid.updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), QStringList()));
    hid.swichCurDevice(uint(hid.selectedDevice()));
    const bool connected = !hid.devices().value(0).commandPath.isEmpty();

    QLabel status(connected ? QStringLiteral("R7 keyboard connected")
                            : QStringLiteral("No R7 keyboard found"));
    status.setWindowTitle(QStringLiteral("R7 Configurator"));
    status.setAlignment(Qt::AlignCenter);
    status.resize(1000, 600);
    status.show();
    const int result = QApplication::exec();
    hid.stopWorker();
    return result;
}
