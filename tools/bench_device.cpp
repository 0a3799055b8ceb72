// Prints how long a full key-matrix write and a 128-byte read take against the virtual
// keyboard, beside the least time the protocol's own pauses allow.

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void waitForTransport(const Hid_Thread &hid)
{
    while (!hid.isTransportIdle())
        QThread::usleep(200);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    VirtualKeyboard keyboard;
    Hid_Thread hid(keyboard);
    hid.updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), {}));

    constexpr int runs = 30;
    std::array<uchar, 128> block{};
    std::vector<double> writeMs;
    std::vector<double> readMs;
    for (int run = 0; run < runs; ++run) {
        keyboard.clearCalls();
        const Clock::time_point start = Clock::now();
        hid.hid_0CH_SetKeyMatrix_1(block.data());
        hid.hid_0DH_SetKeyMatrix_2(block.data());
        waitForTransport(hid);
        Clock::time_point lastReport = start;
        for (const VirtualKeyboard::Call &call : keyboard.calls())
            if (call.kind == VirtualKeyboard::Call::Write)
                lastReport = call.at;
        writeMs.push_back(std::chrono::duration<double, std::milli>(lastReport - start).count());

        const Clock::time_point readStart = Clock::now();
        hid.hid_8CH_GetKeyMatrix_1(block.data());
        readMs.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - readStart).count());
    }

    // 0CH: report, 8 ms, report, 8 ms before the transport is free; 0DH: report, 8 ms, report.
    constexpr double minimumMs = 3 * 8.0;
    const double write = median(writeMs);
    std::printf("key matrix write (0CH + 0DH), start to last data report, median of %d: "
                "%.2f ms (best %.2f ms)\n",
                runs, write, *std::min_element(writeMs.begin(), writeMs.end()));
    std::printf("protocol minimum (three 8 ms pauses): %.2f ms; over it: %.1f %%\n", minimumMs,
                100.0 * (write - minimumMs) / minimumMs);
    std::printf("128-byte get (8CH), median of %d: %.3f ms\n", runs, median(readMs));
    return 0;
}
