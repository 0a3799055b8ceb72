// Prints the longest waits the user can meet with a keyboard that answers each call after a
// second: one get on the GUI thread, a command behind a transport that stays busy, stopping the
// worker, and destroying the device object right after a set.

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <array>
#include <cstdio>
#include <memory>

namespace
{
constexpr int slowCallMs = 1000;

std::unique_ptr<Hid_Thread> connect(VirtualKeyboard &keyboard)
{
    auto hid = std::make_unique<Hid_Thread>(keyboard);
    hid->updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), {}));
    return hid;
}

void print(const char *what, qint64 ms)
{
    std::printf("%-58s %6lld ms\n", what, static_cast<long long>(ms));
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("keyboard answering each call after %d ms\n", slowCallMs);
    VirtualKeyboard keyboard;
    std::array<uchar, 128> block{};
    QElapsedTimer clock;

    {
        auto hid = connect(keyboard);
        keyboard.setLatency(slowCallMs);
        clock.start();
        hid->hid_8CH_GetKeyMatrix_1(block.data());
        print("128-byte get (8CH) holds the GUI thread", clock.elapsed());

        // Each measurement starts a turn of the event loop of its own, as a click does: a get
        // that failed holds the gets behind it in the same turn.
        QCoreApplication::processEvents();
        hid->hid_10H_SetMacroKey(1, block.data());
        clock.restart();
        uchar sens = 0;
        hid->hid_84H_GetButtonSensitivity(sens);
        print("get right after a 128-byte set (84H after 10H)", clock.elapsed());

        // A click on a profile: the switch, then the pages' three gets.
        QCoreApplication::processEvents();
        hid->hid_21H_SetCurrentProfile(1);
        clock.restart();
        uchar byte1 = 0, byte2 = 0, byte3 = 0;
        hid->hid_82H_GetKeyboardoption(byte1, byte2, byte3);
        std::array<uchar, 7> led{};
        hid->hid_88H_GetLEDType(led[0], led[1], led[2], led[3], led[4], led[5], led[6]);
        hid->hid_B0H_GetSevenColor(block.data());
        print("profile switch and its three gets (82H, 88H, B0H)", clock.elapsed());
        QCoreApplication::processEvents();

        hid->hid_10H_SetMacroKey(1, block.data());
        clock.restart();
        hid.reset();
        print("destroying the device object right after a set", clock.elapsed());
    }
    {
        keyboard.setLatency(0);
        auto hid = connect(keyboard);
        hid->swichCurDevice(0);
        keyboard.setLatency(slowCallMs);
        QThread::msleep(100);
        clock.start();
        hid->stopWorker();
        print("stopping the worker", clock.elapsed());
        keyboard.setLatency(0);
    }
    {
        keyboard.setLatency(60000);
        auto hid = connect(keyboard);
        hid->hid_04H_SetButtonSensitivity(1); // its transfer hangs in the keyboard
        clock.start();
        uchar sens = 0;
        hid->hid_84H_GetButtonSensitivity(sens);
        print("get behind a transfer that never ends, until dropped", clock.elapsed());
        keyboard.setLatency(0);
    }
    return 0;
}
