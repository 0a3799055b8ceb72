// Prints what r7ctl watch costs: its CPU over a minute with nothing happening and over a burst
// of 100 window changes, and the time from a change of the window in front until the switch
// (21H) has reached the keyboard. This program is also the window manager (run it under
// xvfb-run), and the watch runs in it against the virtual keyboard on the one-owner path as
// r7ctl runs it, so the CPU figures include the window manager's few requests.

#include "cli/commandparser.h"
#include "cli/oneowner.h"
#include "copyfolder.h"
#include "device/virtual/virtualkeyboard.h"
#include "watch/activewindow.h"
#include "watch/profilewatch.h"
#include "windowmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace
{
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The loop running now, which the watch's acting ends when it is waited for.
QEventLoop *running = nullptr;

// Runs the event loop for `ms`, as the watch lives, or until the watch acts if `untilActed`.
void wait(int ms, bool untilActed = false)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    running = untilActed ? &loop : nullptr;
    loop.exec();
    running = nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("R7_VIRTUAL_KEYBOARD", "1");
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const qsizetype secondsAt = arguments.indexOf(QStringLiteral("--seconds"));
    const int idleSeconds = secondsAt > 0 ? arguments.value(secondsAt + 1).toInt() : 60;

    QTemporaryDir folder;
    copyFolder(QStringLiteral(R7_BIN_DIR "/modules"), folder.filePath(QStringLiteral("modules")));
    QDir::setCurrent(folder.path());
    QFile rules(QStringLiteral("modules/setting/rules.bin"));
    if (!rules.open(QIODevice::WriteOnly) ||
        rules.write("[rule1]\nclass=game\nprofile=2\n[rule2]\nclass=editor\nprofile=3\n") < 0)
        return 1;
    rules.close();

    WindowManager manager(QByteArray{});
    const std::unique_ptr<ActiveWindow> front = ActiveWindow::open();
    if (!manager.isValid() || !front) {
        std::fprintf(stderr, "bench_watch: no X11 display; run it under xvfb-run -a\n");
        return 2;
    }
    const unsigned long game = manager.map("game", "game", "game");
    const unsigned long editor = manager.map("editor", "editor", "editor");
    const unsigned long other = manager.map("other", "other", "other");
    int acted = 0;
    QElapsedTimer sinceChange;
    std::vector<double> latencies;
    ProfileWatch watch(
        *front, QStringLiteral("modules/setting/rules.bin"), 5,
        [](int profile) {
            const QStringList words{QStringLiteral("profile"), QString::number(profile + 1)};
            return carryOut(*CommandParser::parse(words, QDir::currentPath()).command,
                            {QDir::currentPath(), words});
        },
        [](const QString &line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
    QObject::connect(&watch, &ProfileWatch::acted, [&] {
        ++acted;
        if (sinceChange.isValid())
            latencies.push_back(double(sinceChange.nsecsElapsed()) / 1e6);
        if (running)
            running->quit();
    });
    wait(1000);

    double before = cpuSeconds();
    wait(idleSeconds * 1000);
    const double idleCpu = cpuSeconds() - before;
    const double idle = idleCpu / idleSeconds * 100;

    acted = 0;
    before = cpuSeconds();
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < 100; ++i) {
        manager.bringToFront(i % 3 == 0 ? game : i % 3 == 1 ? editor : other);
        wait(5);
    }
    wait(ProfileWatch::settleMs + 1000);
    const double burstCpu = cpuSeconds() - before;
    const double burstWall = double(burst.elapsed()) / 1000;
    const int burstActs = acted;

    // A change to a window that calls for another profile, nine times; the switch returns once
    // its 21H has been taken by the keyboard.
    for (int run = 0; run < 9; ++run) {
        sinceChange.start();
        manager.bringToFront(run % 2 ? game : editor);
        wait(5000, true);
    }
    std::sort(latencies.begin(), latencies.end());
    int switches = 0;
    for (const VirtualKeyboard::Call &call : VirtualKeyboard::shared().calls())
        switches += call.kind == VirtualKeyboard::Call::SendFeatureReport &&
                    quint8(call.data.at(1)) == 0x21;

    std::printf("r7ctl watch, virtual keyboard, settle time %d ms\n", ProfileWatch::settleMs);
    std::printf("CPU idle over %d s                        %6.3f %% of a core (%.1f ms)\n",
                idleSeconds, idle, idleCpu * 1000);
    std::printf("CPU over a burst of 100 changes, 5 ms apart, and its switch (%.2f s)   %6.1f ms "
                "(%.1f %% of a core), %d "
                "switch(es)\n",
                burstWall, burstCpu * 1000, burstCpu / burstWall * 100, burstActs);
    std::printf("change to 21H taken, median of %zu         %6.1f ms (min %.1f, max %.1f)\n",
                latencies.size(), latencies.empty() ? 0.0 : latencies[latencies.size() / 2],
                latencies.empty() ? 0.0 : latencies.front(),
                latencies.empty() ? 0.0 : latencies.back());
    std::printf("21H reports sent in all                   %6d\n", switches);
    return 0;
}
