// Every command and the lighting worker against a keyboard whose answers, lengths and failures
// come from the fuzzer. Nothing the keyboard sends may crash the program or read or write out of
// bounds; the worker must end once the keyboard is gone.

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "fuzzhidbackend.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <array>
#include <future>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_keyboardanswers";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    // Set up once: both would otherwise cost more than the input itself.
    static const QList<DevInfoEntry> embedded = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
        return readDeviceTable(QStringLiteral(":/DevInfo.ini"), {});
    }();

    // The first byte is the table's report length, so that chunks of every size are cut from
    // the 64- and 128-byte blocks.
    if (size == 0)
        return 0;
    QList<DevInfoEntry> table = embedded;
    table[0].reportLength = data[0] == 0 ? 64 : data[0];
    FuzzHidBackend keyboard(data + 1, size - 1);
    Hid_Thread hid(keyboard);
    hid.updateDeviceList(table);

    std::array<uchar, 128> block{};
    ushort version = 0;
    uchar a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0;
    hid.hid_80H_GetFWVersion(version, a, b, c);
    hid.hid_82H_GetKeyboardoption(a, b, c);
    hid.hid_84H_GetButtonSensitivity(a);
    hid.hid_88H_GetLEDType(a, b, c, d, e, f, g);
    hid.hid_0CH_SetKeyMatrix_1(block.data());
    hid.hid_8CH_GetKeyMatrix_1(block.data());
    hid.hid_8DH_GetKeyMatrix_2(block.data());
    hid.hid_90H_GetMacroKey(1, block.data());
    hid.hid_30H_SetSevenColor(block.data());
    hid.hid_92H_GetUserPicture(1, 2, block.data());
    hid.hid_A1H_GetCurrentProfile(a);
    hid.hid_B0H_GetSevenColor(block.data());

    // The rest of the bytes are what the input collection delivers. Once they run out every
    // open fails and the worker says the keyboard is gone (on its own thread: no event loop).
    std::promise<void> gone;
    QObject::connect(&hid, &Hid_Thread::deviceRemoved, [&gone] { gone.set_value(); });
    hid.swichCurDevice(0);
    if (hid.isWorkerRunning())
        gone.get_future().wait();
    hid.stopWorker();
    return 0;
}
