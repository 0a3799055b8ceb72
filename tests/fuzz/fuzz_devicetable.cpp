// The device table as any file: whatever it holds, reading it and matching it against the
// keyboard gives a list that the commands can use or refuse. (Report lengths the table may
// hold are fuzzed with the keyboard's answers, where reads never wait.)

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_devicetable";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir folder;
    static int inputs = 0;
    // Once: setting the rules costs more than a whole input.
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        return true;
    }();
    Q_UNUSED(quiet);

    // A fresh name for every input: QSettings trusts its cache while size and time agree.
    const QString path = folder.filePath(QStringLiteral("DevInfo%1.ini").arg(++inputs));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const QList<DevInfoEntry> table = readDeviceTable(path, {QStringLiteral("R7")});
    QFile::remove(path);

    VirtualKeyboard keyboard;
    Hid_Thread hid(keyboard);
    hid.updateDeviceList(table);
    ushort version = 0;
    uchar mode = 0, code0 = 0, code1 = 0;
    hid.hid_80H_GetFWVersion(version, mode, code0, code1);
    uchar profile = 0;
    hid.hid_A1H_GetCurrentProfile(profile);
    return 0;
}
