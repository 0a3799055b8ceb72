// Prints the wall time of `r7ctl profile N` as a script sees it, alone and with the window
// running, against the time the keyboard's protocol itself takes for the same command in
// process: what r7ctl adds is the process start, the files and the lock, or the hand-over to
// the window and its pages' reload.

#include "backend/backend.h"
#include "cli/commandparser.h"
#include "cli/commandrunner.h"
#include "cli/standalonefront.h"
#include "copyfolder.h"
#include "device/hidthread.h"
#include "device/virtual/virtualkeyboard.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
constexpr int runs = 9;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QStringList profileCommand(int run)
{
    return {QStringLiteral("profile"), QString::number(2 + run % 2)};
}

// The command in process, the keyboard found and checked first as r7ctl does: the protocol.
double protocolMs(bool keyboardChecked)
{
    VirtualKeyboard keyboard;
    Hid_Thread hid(keyboard);
    std::vector<double> times;
    auto backend = std::make_unique<Backend>();
    backend->bridge().setHidThread(&hid);
    StandaloneFront front(*backend);
    auto runner = std::make_unique<CommandRunner>(*backend, front);
    for (int run = 0; run < runs; ++run) {
        if (!keyboardChecked) {
            runner = std::make_unique<CommandRunner>(*backend, front);
        } else if (run == 0) {
            runner->run(*CommandParser::parse({QStringLiteral("profile")}, QString()).command);
        }
        const CliCommand command = *CommandParser::parse(profileCommand(run), QString()).command;
        QElapsedTimer timer;
        timer.start();
        runner->run(command);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

double wallMs(const QString &r7ctl)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(r7ctl, profileCommand(run));
        process.waitForFinished(60000);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (process.exitCode() != 0)
            std::fprintf(stderr, "r7ctl failed: %s\n", process.readAllStandardError().constData());
    }
    return median(times);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qputenv("R7_VIRTUAL_KEYBOARD", "1");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    copyFolder(QStringLiteral(R7_BIN_DIR "/modules"), folder.filePath(QStringLiteral("modules")));
    const QString r7ctl = folder.filePath(QStringLiteral("r7ctl"));
    const QString window = folder.filePath(QStringLiteral("R7Configurator"));
    QFile::copy(QStringLiteral(R7CTL_PATH), r7ctl);
    QFile::copy(QStringLiteral(R7_WINDOW_PATH), window);
    QDir::setCurrent(folder.path());

    std::printf("r7ctl profile N, median of %d runs, virtual keyboard\n", runs);
    const double alone = protocolMs(false);
    const double alongWindow = protocolMs(true);
    std::printf("%-44s %8.1f ms\n", "protocol, keyboard checked first", alone);
    std::printf("%-44s %8.1f ms\n", "protocol, keyboard already checked", alongWindow);
    const double wallAlone = wallMs(r7ctl);
    std::printf("%-44s %8.1f ms  (+%.1f)\n", "r7ctl, no window", wallAlone, wallAlone - alone);

    QProcess program;
    program.start(window, {});
    // Listening once a forwarded command comes back done.
    for (int i = 0; i < 300; ++i) {
        QProcess probe;
        probe.start(r7ctl, {QStringLiteral("profile")});
        probe.waitForFinished(60000);
        if (probe.exitCode() == 0 && program.state() == QProcess::Running)
            break;
        QThread::msleep(100);
    }
    const double wallWindow = wallMs(r7ctl);
    std::printf("%-44s %8.1f ms  (+%.1f)\n", "r7ctl, window running", wallWindow,
                wallWindow - alongWindow);
    program.terminate();
    program.waitForFinished(10000);
    return 0;
}
