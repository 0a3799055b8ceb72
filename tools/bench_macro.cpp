// Prints how long writing a full macro takes against the virtual keyboard: from the view's
// ui_10H_SetMacroKey, which reads the macro file, encodes it and hands the slot image to the
// device object, to the last data report arriving at the keyboard.

#include "device/devicetable.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"
#include "view/myqquickview.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
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

// 31 press-release pairs: with the repeat word and the end mark, exactly 128 bytes.
void writeFullMacro(const QString &file)
{
    QSettings macro(file, QSettings::IniFormat);
    macro.setValue("config/index", 0);
    macro.setValue("config/repeat", 1);
    macro.setValue("config/total", 62);
    for (int i = 0; i < 62; ++i)
        macro.setValue("macro/" + QString::number(i),
                       QStringLiteral("A") + (i % 2 ? "      [Up]" : "    [Down]"));
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    QDir().mkpath(QStringLiteral("modules/setting"));
    QDir().mkpath(QStringLiteral("modules/macro"));
    {
        QSettings keyCodes(QStringLiteral("modules/setting/KeyCodeDef.bin"), QSettings::IniFormat);
        keyCodes.setValue("common/usbStr", QStringList{"A", "B"});
        keyCodes.setValue("common/usbCode", QStringList{"4", "5"});
    }
    writeFullMacro(QStringLiteral("modules/macro/Full.bin"));

    VirtualKeyboard keyboard;
    Hid_Thread hid(keyboard);
    hid.updateDeviceList(readDeviceTable(QStringLiteral(":/DevInfo.ini"), {}));
    myQQuickView view;
    view.setHidThread(&hid);
    view.syncFW();

    constexpr int runs = 30;
    std::vector<double> writeMs;
    for (int run = 0; run < runs; ++run) {
        keyboard.clearCalls();
        const Clock::time_point start = Clock::now();
        view.ui_10H_SetMacroKey(0, QStringLiteral("Full"));
        while (!hid.isTransportIdle())
            QThread::usleep(200);
        Clock::time_point lastReport = start;
        int reports = 0;
        for (const VirtualKeyboard::Call &call : keyboard.calls())
            if (call.kind == VirtualKeyboard::Call::Write) {
                lastReport = call.at;
                ++reports;
            }
        if (reports != 2) {
            std::fprintf(stderr, "run %d: %d data reports instead of 2\n", run, reports);
            return 1;
        }
        writeMs.push_back(std::chrono::duration<double, std::milli>(lastReport - start).count());
    }

    // The protocol's own pause: 8 ms between the two data reports.
    constexpr double minimumMs = 8.0;
    const double write = median(writeMs);
    std::printf("128-byte macro, ui_10H_SetMacroKey to last data report, median of %d: "
                "%.2f ms (best %.2f ms, worst %.2f ms)\n",
                runs, write, *std::min_element(writeMs.begin(), writeMs.end()),
                *std::max_element(writeMs.begin(), writeMs.end()));
    std::printf("protocol minimum (one 8 ms pause between the reports): %.2f ms\n", minimumMs);
    return 0;
}
